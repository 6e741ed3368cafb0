#include <zeltmath/base/exception.h>
#include <zeltmath/base/settings.h>
#include <zeltmath/base/string.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <typeinfo>

namespace {

TEST(CZELTException, CodeAndTextAndOnlyItsOwnHandler)
{
    try {
        throw CZELTException(7, "failed");
    } catch (const std::exception&) {
        FAIL() << "must not be offered to a standard-exception handler";
    } catch (const CZELTException& e) {
        EXPECT_EQ(e.GetCode(), 7u);
        EXPECT_STREQ(e.GetMessage(), "failed");
        EXPECT_TRUE(e.HasMessage());
    }
    CZELTException none(3, nullptr);
    EXPECT_STREQ(none.GetMessage(), "");
    EXPECT_FALSE(none.HasMessage());
}

TEST(CZELTStructuredException, TranslatorInstalledOnEveryThread)
{
    EXPECT_EQ(CZELTStructuredException::GetTranslator(), &CZELTStructuredException::TranslateSEtoLocal);
    EXPECT_THROW(CZELTStructuredException::Translate(0xC0000005u, nullptr), CZELTException);
    std::thread([] {
        EXPECT_EQ(CZELTStructuredException::GetTranslator(), &CZELTStructuredException::TranslateSEtoLocal);
        try {
            CZELTStructuredException::Translate(0xC0000094u, nullptr);
            ADD_FAILURE();
        } catch (const CZELTException& e) {
            EXPECT_EQ(e.GetCode(), 0xC0000094u);
        }
    }).join();
    auto previous = CZELTStructuredException::SetTranslator(nullptr);
    EXPECT_NO_THROW(CZELTStructuredException::Translate(1, nullptr));
    CZELTStructuredException::SetTranslator(previous);
}

TEST(CZELTString, ReplaceDeleteAndResources)
{
    CZELTString s("1,5+2,25");
    EXPECT_EQ(s.Replace(",", "."), 2);
    EXPECT_STREQ(s, "1.5+2.25");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("5", "55"), 2);  // no re-scan of the inserted text
    EXPECT_STREQ(s, "1.55+2.255");
    EXPECT_EQ(s.Delete(0, 2), 8);
    EXPECT_STREQ(s, "55+2.255");
    EXPECT_EQ(s.Delete(6, 10), 6);
    EXPECT_STREQ(s, "55+2.2");
    EXPECT_EQ(s.Delete(-3, 1), 5);
    EXPECT_EQ(s.Delete(100, 1), 5);

    CZELTString t(static_cast<const char*>(nullptr));
    EXPECT_TRUE(t.IsEmpty());
    t = "abc";
    t = t.GetString() + 1;  // assignment from its own buffer
    EXPECT_STREQ(t, "bc");

    CZELTString r("unchanged");
    EXPECT_FALSE(r.LoadString(0xFFFFFF01u));
    EXPECT_STREQ(r, "unchanged");
    CZELTString::SetResource(0xFFFFFF01u, "hello");
    EXPECT_TRUE(r.LoadString(0xFFFFFF01u));
    EXPECT_STREQ(r, "hello");
}

class AppSettings : public CZELTMathSettings {
public:
    const char* GetProductName() const override { return "test"; }
};

class OtherSettings : public CZELTSettings {
public:
    const char* GetProductName() const override { return "other"; }
};

TEST(CZELTSettings, GetMSCastsTheProcessWideObject)
{
    EXPECT_THROW(CZELTSettings::GetBS(), std::logic_error);
    {
        AppSettings app;
        EXPECT_EQ(&CZELTSettings::GetBS(), &app);
        EXPECT_EQ(&CZELTMathSettings::GetMS(), &app);
        app.SetLangID(0x0407);
        EXPECT_STREQ(CZELTMathSettings::GetMS().GetLangIDStr(), "0407");
    }
    {
        OtherSettings other;
        EXPECT_EQ(&CZELTSettings::GetBS(), &other);
        EXPECT_THROW(CZELTMathSettings::GetMS(), std::bad_cast);
    }
    EXPECT_THROW(CZELTSettings::GetBS(), std::logic_error);
}

} // namespace

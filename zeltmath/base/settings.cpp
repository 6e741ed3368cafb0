#include <zeltmath/base/settings.h>

#include <atomic>
#include <stdexcept>
#include <typeinfo>

namespace {
std::atomic<CZELTSettings*> g_instance{nullptr};
}

CZELTSettings::CZELTSettings()
{
    g_instance.store(this);
}

CZELTSettings::~CZELTSettings()
{
    CZELTSettings* self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

CZELTSettings& CZELTSettings::GetBS()
{
    CZELTSettings* instance = g_instance.load();
    if (!instance)
        throw std::logic_error("CZELTSettings::GetBS: no settings object has been created");
    return *instance;
}

// Neutral answers for a host that does not care; an application overrides
// what it needs.
bool CZELTSettings::Is9x() const { return false; }
bool CZELTSettings::IsVista() const { return false; }
void CZELTSettings::GetPossibleLangIDs(std::vector<std::uint16_t>& ids) const { ids.assign(1, m_langID); }
void CZELTSettings::SetLangID(std::uint16_t id) { m_langID = id; }
std::uint16_t CZELTSettings::GetLangID() const { return m_langID; }
CZELTString CZELTSettings::GetLangIDStr() const
{
    static const char digits[] = "0123456789ABCDEF";
    char text[5];
    for (int i = 0; i < 4; ++i)
        text[i] = digits[(m_langID >> (12 - 4 * i)) & 0xF];
    text[4] = '\0';
    return CZELTString(text);
}
void CZELTSettings::AdjustLangID() {}
std::uint16_t CZELTSettings::GetAdjustedLangID() const { return m_langID; }
CZELTString CZELTSettings::GetExeShortPath() const { return CZELTString(); }
CZELTString CZELTSettings::GetExePath() const { return CZELTString(); }
CZELTString CZELTSettings::GetExeName() const { return CZELTString(); }
CZELTString CZELTSettings::GetExeExt() const { return CZELTString(); }
CZELTString CZELTSettings::GetIni() const { return CZELTString(); }
CZELTString CZELTSettings::GetUnitsIni() const { return CZELTString(); }
CZELTString CZELTSettings::GetHelpName() const { return CZELTString(); }
CZELTString CZELTSettings::GetBaseHelpName() const { return CZELTString(); }
CZELTString CZELTSettings::GetFilePath(const char* fileName, bool) const { return CZELTString(fileName); }
HINSTANCE CZELTSettings::GetBaseImagesInst() const { return nullptr; }
HINSTANCE CZELTSettings::GetBaseRcInst() const { return nullptr; }
bool CZELTSettings::IsHelpTopicExists(unsigned int) const { return false; }
bool CZELTSettings::IsBaseHelpTopic(unsigned int) const { return false; }

CZELTMathSettings::CZELTMathSettings() = default;
CZELTMathSettings::~CZELTMathSettings() = default;

CZELTMathSettings& CZELTMathSettings::GetMS()
{
    return dynamic_cast<CZELTMathSettings&>(CZELTSettings::GetBS());
}

#ifndef ZELTMATH_BASE_SETTINGS_H
#define ZELTMATH_BASE_SETTINGS_H

#include <zeltmath/base/export.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/zelt_base.h>

#include <cstdint>
#include <vector>

typedef void* HINSTANCE;

// The suite's process-wide settings object.  The application creates exactly
// one object of its own subclass; its construction makes it the instance that
// GetBS returns, and its destruction withdraws it again.
class ZELTMATH_API CZELTSettings : public virtual CZELTBase {
public:
    // The one instance.  Throws std::logic_error when none exists.
    static CZELTSettings& GetBS();

    virtual bool Is9x() const;
    virtual bool IsVista() const;
    virtual void GetPossibleLangIDs(std::vector<std::uint16_t>& ids) const;
    virtual void SetLangID(std::uint16_t id);
    virtual std::uint16_t GetLangID() const;
    virtual CZELTString GetLangIDStr() const;
    virtual void AdjustLangID();
    virtual std::uint16_t GetAdjustedLangID() const;
    // Left to the application: the product the settings belong to.
    virtual const char* GetProductName() const = 0;
    virtual CZELTString GetExeShortPath() const;
    virtual CZELTString GetExePath() const;
    virtual CZELTString GetExeName() const;
    virtual CZELTString GetExeExt() const;
    virtual CZELTString GetIni() const;
    virtual CZELTString GetUnitsIni() const;
    virtual CZELTString GetHelpName() const;
    virtual CZELTString GetBaseHelpName() const;
    virtual CZELTString GetFilePath(const char* fileName, bool inExeFolder) const;
    virtual HINSTANCE GetBaseImagesInst() const;
    virtual HINSTANCE GetBaseRcInst() const;
    virtual bool IsHelpTopicExists(unsigned int topic) const;
    virtual bool IsBaseHelpTopic(unsigned int topic) const;
    ~CZELTSettings() override;

protected:
    CZELTSettings();
    CZELTSettings(const CZELTSettings&) = delete;
    CZELTSettings& operator=(const CZELTSettings&) = delete;

private:
    std::uint16_t m_langID = 0x0409;
};

// This library's settings class: adds nothing, and stays abstract, so only an
// application's own subclass is ever instantiated.
class ZELTMATH_API CZELTMathSettings : public CZELTSettings, public virtual CZELTBase {
public:
    // CZELTSettings::GetBS() as a CZELTMathSettings; throws std::bad_cast when
    // the process-wide object is of another class.
    static CZELTMathSettings& GetMS();

protected:
    CZELTMathSettings();
    ~CZELTMathSettings() override;
};

#endif

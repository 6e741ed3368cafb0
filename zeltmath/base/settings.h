#ifndef ZELTMATH_BASE_SETTINGS_H
#define ZELTMATH_BASE_SETTINGS_H
/// \file
/// The process-wide settings object of the suite and of this library.

#include <zeltmath/base/export.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/zelt_base.h>

#include <cstdint>
#include <vector>

/// Handle of a loaded module, as on Windows.
typedef void* HINSTANCE;

/// The suite's process-wide settings object.  The application creates exactly
/// one object of its own subclass; its construction makes it the instance that
/// GetBS returns, and its destruction withdraws it again.
class ZELTMATH_API CZELTSettings : public virtual CZELTBase {
public:
    /// The one instance.  Throws std::logic_error when none exists.
    static CZELTSettings& GetBS();

    /// Whether the system is of the Windows 9x family; false here.
    virtual bool Is9x() const;
    /// Whether the system is Windows Vista or later; false here.
    virtual bool IsVista() const;
    /// Fills ids with the language identifiers the product can be switched to; here only the current one.
    virtual void GetPossibleLangIDs(std::vector<std::uint16_t>& ids) const;
    /// Sets the language identifier of the product.
    virtual void SetLangID(std::uint16_t id);
    /// The language identifier set last (0x0409, US English, at start).
    virtual std::uint16_t GetLangID() const;
    /// The language identifier as text.
    virtual CZELTString GetLangIDStr() const;
    /// Brings the language identifier to one of the possible ones; nothing here.
    virtual void AdjustLangID();
    /// The language identifier after AdjustLangID.
    virtual std::uint16_t GetAdjustedLangID() const;
    /// Left to the application: the product the settings belong to.
    virtual const char* GetProductName() const = 0;
    /// The short (8.3) form of the program's folder; empty here.
    virtual CZELTString GetExeShortPath() const;
    /// The folder of the running program; empty here.
    virtual CZELTString GetExePath() const;
    /// The file name of the running program, without folder and extension; empty here.
    virtual CZELTString GetExeName() const;
    /// The extension of the running program's file name; empty here.
    virtual CZELTString GetExeExt() const;
    /// The path of the product's settings file; empty here.
    virtual CZELTString GetIni() const;
    /// The path of the product's units settings file; empty here.
    virtual CZELTString GetUnitsIni() const;
    /// The path of the product's help file; empty here.
    virtual CZELTString GetHelpName() const;
    /// The path of the suite's common help file; empty here.
    virtual CZELTString GetBaseHelpName() const;
    /// The path of fileName, in the program's folder when inExeFolder is set; fileName itself here.
    virtual CZELTString GetFilePath(const char* fileName, bool inExeFolder) const;
    /// The module that holds the suite's common images; null here.
    virtual HINSTANCE GetBaseImagesInst() const;
    /// The module that holds the suite's common resources; null here.
    virtual HINSTANCE GetBaseRcInst() const;
    /// Whether the product's help has the topic; false here.
    virtual bool IsHelpTopicExists(unsigned int topic) const;
    /// Whether the topic belongs to the suite's common help; false here.
    virtual bool IsBaseHelpTopic(unsigned int topic) const;
    /// Virtual, so that derived objects are destroyed completely.
    ~CZELTSettings() override;

protected:
    /// Makes this object the process-wide instance that GetBS returns.
    CZELTSettings();
    /// Not copyable: there is one settings object.
    CZELTSettings(const CZELTSettings&) = delete;
    /// Not assignable: there is one settings object.
    CZELTSettings& operator=(const CZELTSettings&) = delete;

private:
    std::uint16_t m_langID = 0x0409;
};

/// This library's settings class: adds nothing, and stays abstract, so only an
/// application's own subclass is ever instantiated.
class ZELTMATH_API CZELTMathSettings : public CZELTSettings, public virtual CZELTBase {
public:
    /// CZELTSettings::GetBS() as a CZELTMathSettings; throws std::bad_cast when
    /// the process-wide object is of another class.
    static CZELTMathSettings& GetMS();

protected:
    /// Makes this object the process-wide instance (see CZELTSettings).
    CZELTMathSettings();
    /// Virtual, so that derived objects are destroyed completely.
    ~CZELTMathSettings() override;
};

#endif

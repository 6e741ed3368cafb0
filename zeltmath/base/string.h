#ifndef ZELTMATH_BASE_STRING_H
#define ZELTMATH_BASE_STRING_H
/// \file
/// The suite's narrow-character string class.

#include <zeltmath/base/export.h>

#include <string>

/// Narrow-character string of the suite with the text operations the library
/// uses.  Positions and counts are in characters (bytes).
class ZELTMATH_API CZELTString {
public:
    /// The empty string.
    CZELTString();
    CZELTString(const char* text);          ///< null gives the empty string
    /// A copy of text.
    CZELTString(const std::string& text);
    /// A copy of the text.
    CZELTString(const CZELTString&) = default;
    /// Copies the text.
    CZELTString& operator=(const CZELTString&) = default;
    CZELTString& operator=(const char* text);  ///< null gives the empty string
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~CZELTString();

    /// The text, never null.
    const char* GetString() const { return m_text.c_str(); }
    /// The text, never null.
    operator const char*() const { return m_text.c_str(); }
    /// The text as a standard string.
    const std::string& Str() const { return m_text; }
    /// The number of characters.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    /// Whether the string has no characters.
    bool IsEmpty() const { return m_text.empty(); }
    /// Makes the string empty.
    void Empty() { m_text.clear(); }

    /// Appends text (a null text appends nothing).
    CZELTString& operator+=(const char* text);
    /// Appends one character.
    CZELTString& operator+=(char c);

    /// Replaces every non-overlapping occurrence of oldText, scanning left to
    /// right, by newText; returns the number of replacements.  An empty or null
    /// oldText replaces nothing.
    int Replace(const char* oldText, const char* newText);
    /// Deletes count characters starting at index (clamped to the string);
    /// returns the new length.
    int Delete(int index, int count = 1);
    /// Loads the string resource with the given identifier; false (and the
    /// string unchanged) when there is none.
    bool LoadString(unsigned int id);

    /// The resource table behind LoadString: modules and hosts register their
    /// texts here.  Registering an identifier again replaces its text.
    static void SetResource(unsigned int id, const char* text);

    /// Equal texts.
    friend bool operator==(const CZELTString& a, const CZELTString& b) { return a.m_text == b.m_text; }
    /// Different texts.
    friend bool operator!=(const CZELTString& a, const CZELTString& b) { return a.m_text != b.m_text; }
    /// Byte-wise lexicographic order of the texts.
    friend bool operator<(const CZELTString& a, const CZELTString& b) { return a.m_text < b.m_text; }

private:
    std::string m_text;
};

#endif

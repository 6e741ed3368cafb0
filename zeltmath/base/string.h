#ifndef ZELTMATH_BASE_STRING_H
#define ZELTMATH_BASE_STRING_H

#include <zeltmath/base/export.h>

#include <string>

// Narrow-character string of the suite with the text operations the library
// uses.  Positions and counts are in characters (bytes).
class ZELTMATH_API CZELTString {
public:
    CZELTString();
    CZELTString(const char* text);          // null gives the empty string
    CZELTString(const std::string& text);
    CZELTString(const CZELTString&) = default;
    CZELTString& operator=(const CZELTString&) = default;
    CZELTString& operator=(const char* text);  // null gives the empty string
    virtual ~CZELTString();

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    CZELTString& operator+=(const char* text);
    CZELTString& operator+=(char c);

    // Replaces every non-overlapping occurrence of oldText, scanning left to
    // right, by newText; returns the number of replacements.  An empty or null
    // oldText replaces nothing.
    int Replace(const char* oldText, const char* newText);
    // Deletes count characters starting at index (clamped to the string);
    // returns the new length.
    int Delete(int index, int count = 1);
    // Loads the string resource with the given identifier; false (and the
    // string unchanged) when there is none.
    bool LoadString(unsigned int id);

    // The resource table behind LoadString: modules and hosts register their
    // texts here.  Registering an identifier again replaces its text.
    static void SetResource(unsigned int id, const char* text);

    friend bool operator==(const CZELTString& a, const CZELTString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CZELTString& a, const CZELTString& b) { return a.m_text != b.m_text; }
    friend bool operator<(const CZELTString& a, const CZELTString& b) { return a.m_text < b.m_text; }

private:
    std::string m_text;
};

#endif

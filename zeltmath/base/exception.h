#ifndef ZELTMATH_BASE_EXCEPTION_H
#define ZELTMATH_BASE_EXCEPTION_H

#include <zeltmath/base/export.h>

#include <string>

// The suite's exception type: an unsigned code and a message text.  It is
// thrown by value and is deliberately not derived from std::exception, so a
// handler for any other type never sees it; catch it as CZELTException.
class ZELTMATH_API CZELTException {
public:
    // message may be null; it is copied.
    CZELTException(unsigned int code, const char* message);
    CZELTException(const CZELTException&) = default;
    CZELTException& operator=(const CZELTException&) = default;
    virtual ~CZELTException();

    unsigned int GetCode() const { return m_code; }
    // The message text; empty when the exception was built with a null text.
    const char* GetMessage() const { return m_message.c_str(); }
    bool HasMessage() const { return m_hasMessage; }

private:
    unsigned int m_code;
    bool m_hasMessage;
    std::string m_message;
};

// Opaque record of an operating-system fault (the Windows EXCEPTION_POINTERS).
struct _EXCEPTION_POINTERS;
typedef _EXCEPTION_POINTERS EXCEPTION_POINTERS;

// Translation of operating-system faults into exceptions of the suite.
//
// Each thread has a translator slot.  Every thread starts with
// TranslateSEtoLocal installed (the equivalent of installing it at process and
// thread attach).  On Linux hardware faults arrive as signals, which cannot
// safely be turned into C++ exceptions, so the library does not route signals
// through the slot; a host that has its own fault source may call Translate.
class ZELTMATH_API CZELTStructuredException : public CZELTException {
public:
    typedef void (*Translator)(unsigned int code, EXCEPTION_POINTERS* info);

    CZELTStructuredException(unsigned int code, const char* message);

    // Throws a CZELTException carrying the fault code.
    [[noreturn]] static void TranslateSEtoLocal(unsigned int code, EXCEPTION_POINTERS* info);

    // Installs a translator for the calling thread and returns the previous one.
    static Translator SetTranslator(Translator translator);
    static Translator GetTranslator();
    // Hands a fault to the calling thread's translator; without one it does nothing.
    static void Translate(unsigned int code, EXCEPTION_POINTERS* info);
};

#endif

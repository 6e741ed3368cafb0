#ifndef ZELTMATH_BASE_EXCEPTION_H
#define ZELTMATH_BASE_EXCEPTION_H
/// \file
/// The suite's exception and the translation of operating-system faults into it.

#include <zeltmath/base/export.h>

#include <string>

/// The suite's exception type: an unsigned code and a message text.  It is
/// thrown by value and is deliberately not derived from std::exception, so a
/// handler for any other type never sees it; catch it as CZELTException.
class ZELTMATH_API CZELTException {
public:
    /// An exception with the given code and message.
    /// message may be null; it is copied.
    CZELTException(unsigned int code, const char* message);
    /// A copy of the code and the message.
    CZELTException(const CZELTException&) = default;
    /// Copies the code and the message.
    CZELTException& operator=(const CZELTException&) = default;
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~CZELTException();

    /// The code the exception was built with.
    unsigned int GetCode() const { return m_code; }
    /// The message text; empty when the exception was built with a null text.
    const char* GetMessage() const { return m_message.c_str(); }
    /// Whether the exception was built with a (non-null) message.
    bool HasMessage() const { return m_hasMessage; }

private:
    unsigned int m_code;
    bool m_hasMessage;
    std::string m_message;
};

/// Opaque record of an operating-system fault (the Windows EXCEPTION_POINTERS).
struct _EXCEPTION_POINTERS;
/// The operating-system fault record handed to translators.
typedef _EXCEPTION_POINTERS EXCEPTION_POINTERS;

/// Translation of operating-system faults into exceptions of the suite.
///
/// Each thread has a translator slot.  Every thread starts with
/// TranslateSEtoLocal installed (the equivalent of installing it at process and
/// thread attach).  On Linux hardware faults arrive as signals, which cannot
/// safely be turned into C++ exceptions, so the library does not route signals
/// through the slot; a host that has its own fault source may call Translate.
class ZELTMATH_API CZELTStructuredException : public CZELTException {
public:
    /// A function that turns an operating-system fault into an exception.
    typedef void (*Translator)(unsigned int code, EXCEPTION_POINTERS* info);

    /// An exception with the given code and message (null for none).
    CZELTStructuredException(unsigned int code, const char* message);

    /// Throws a CZELTException carrying the fault code.
    [[noreturn]] static void TranslateSEtoLocal(unsigned int code, EXCEPTION_POINTERS* info);

    /// Installs a translator for the calling thread and returns the previous one.
    static Translator SetTranslator(Translator translator);
    /// The calling thread's translator (TranslateSEtoLocal unless replaced).
    static Translator GetTranslator();
    /// Hands a fault to the calling thread's translator; without one it does nothing.
    static void Translate(unsigned int code, EXCEPTION_POINTERS* info);
};

#endif

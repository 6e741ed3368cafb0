#include <zeltmath/base/exception.h>

CZELTException::CZELTException(unsigned int code, const char* message)
    : m_code(code), m_hasMessage(message != nullptr), m_message(message ? message : "")
{
}

CZELTException::~CZELTException() = default;

CZELTStructuredException::CZELTStructuredException(unsigned int code, const char* message)
    : CZELTException(code, message)
{
}

void CZELTStructuredException::TranslateSEtoLocal(unsigned int code, EXCEPTION_POINTERS*)
{
    // Handlers catch the suite's exception only as CZELTException itself, so
    // the fault travels as one.
    throw CZELTException(code, "A hardware exception occurred in library code.");
}

namespace {
// Every thread starts with the suite's translator installed.
thread_local CZELTStructuredException::Translator t_translator =
    &CZELTStructuredException::TranslateSEtoLocal;
}

CZELTStructuredException::Translator CZELTStructuredException::SetTranslator(Translator translator)
{
    Translator previous = t_translator;
    t_translator = translator;
    return previous;
}

CZELTStructuredException::Translator CZELTStructuredException::GetTranslator()
{
    return t_translator;
}

void CZELTStructuredException::Translate(unsigned int code, EXCEPTION_POINTERS* info)
{
    if (t_translator)
        t_translator(code, info);
}

// Module start-up and shut-down.
//
// A Windows DLL of the suite registers itself as an MFC extension module and
// installs the structured-exception translator at process attach, installs the
// translator again at every thread attach, and deregisters at process detach.
// On Linux there is no extension-module chain, so registration always
// succeeds; the translator is installed for every thread by the thread-local
// initial value of its slot (see exception.cpp), which covers thread attach.
//
// The constant tables that must exist once the library is loaded (the three
// planar rotation matrices, the formula engine's named constants) are
// namespace-scope objects of their own translation units: the dynamic loader
// constructs them when the library is loaded and destroys them when it is
// unloaded, in the same order as this record.

#include <zeltmath/base/exception.h>

namespace {

struct ModuleRecord {
    bool attached = false;

    ModuleRecord()
    {
        attached = true;
        CZELTStructuredException::SetTranslator(&CZELTStructuredException::TranslateSEtoLocal);
    }
    ~ModuleRecord() { attached = false; }
};

ModuleRecord g_module;

} // namespace

#include "win/SystemFunction.h"

#ifdef KLARVO_TEST_HOOKS
#include <cstdlib>
#include <string>
#endif

namespace klarvo {

#ifdef KLARVO_TEST_HOOKS
namespace {

std::string& MissingList()
{
    static std::string list = [] {
        const char* fromEnvironment = std::getenv(kMissingFunctionsVariable);
        return std::string(fromEnvironment ? fromEnvironment : "");
    }();
    return list;
}

bool ReportedMissing(const char* name)
{
    const std::string& list = MissingList();
    const std::string wanted(name);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (list.compare(start, end - start, wanted) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string saved;

} // namespace

ScopedMissingFunctions::ScopedMissingFunctions(const char* names)
{
    saved = MissingList();
    MissingList() = names;
}

ScopedMissingFunctions::~ScopedMissingFunctions()
{
    MissingList() = saved;
}
#endif

FARPROC FindSystemFunction(HMODULE module, const char* name)
{
    if (!module) {
        return nullptr;
    }
#ifdef KLARVO_TEST_HOOKS
    if (ReportedMissing(name)) {
        return nullptr;
    }
#endif
    return GetProcAddress(module, name);
}

FARPROC FindSystemFunction(const char* module, const char* name)
{
    return FindSystemFunction(GetModuleHandleA(module), name);
}

} // namespace klarvo

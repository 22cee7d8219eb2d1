// Any configured directory through the path rules: an accepted path is
// absolute on a drive and holds no dot-only part, control character or
// wildcard, and reading it again gives it back unchanged.

#include "Check.h"
#include "resident/disk/PathRules.h"

#include <string>
#include <vector>

using namespace klarvo::resident;

namespace {

void CheckAccepted(const std::string& path)
{
    FUZZ_CHECK(path.size() >= 4);
    const char drive = path[0];
    FUZZ_CHECK(((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && path[1] == ':' && path[2] == '\\');
    FUZZ_CHECK(path.back() != '\\');
    std::size_t start = 3;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string part = path.substr(start, end - start);
        FUZZ_CHECK(!part.empty());
        FUZZ_CHECK(part.find_first_not_of(". ") != std::string::npos);
        for (char c : part) {
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 32);
            FUZZ_CHECK(c != '*' && c != '?' && c != '/' && c != ':');
        }
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string other = in.ConsumeRandomLengthString(260);
    const bool wholeSubtree = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const NormalisedPath n = NormaliseDirectory(text);
    FUZZ_CHECK(VerdictText(n.verdict) != nullptr);
    if (n.verdict == PathVerdict::Accepted) {
        CheckAccepted(n.path);
        const NormalisedPath again = NormaliseDirectory(n.path);
        FUZZ_CHECK(again.verdict == PathVerdict::Accepted && again.path == n.path);
        FUZZ_CHECK(IsSameOrInside(n.path, n.path));
        const std::vector<ProtectedPlace> places = {{n.path, false}, {other, wholeSubtree}};
        FUZZ_CHECK(JudgeAgainst(n.path, places) == PathVerdict::Protected);
    } else {
        FUZZ_CHECK(n.verdict == PathVerdict::DriveRoot || n.path.empty());
    }
    (void)IsDeviceName(text);
    (void)IsSameOrInside(text, other);
    (void)JudgeAgainst(text, {{other, wholeSubtree}});
    return 0;
}

// Any text through the form-description reader: it either gives a tree or
// raises FormError; no other exception, no sanitizer report.

#include "Check.h"
#include "framework/loader/FormParser.h"

#include <string>

using namespace klarvo;

namespace {

void Visit(const FormObject& object, int depth)
{
    FUZZ_CHECK(depth <= kMaxFormDepth);
    FUZZ_CHECK(!object.name.empty() && !object.className.empty());
    for (const auto& [name, value] : object.properties) {
        FUZZ_CHECK(!name.empty());
        if (value.kind == FormValue::Kind::Integer) {
            FUZZ_CHECK(value.integer >= -2147483648LL && value.integer <= 4294967295LL);
            (void)value.AsInt();
        }
        try {
            (void)value.AsBool();
        } catch (const FormError&) {
        }
    }
    for (const auto& child : object.children) {
        Visit(*child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Visit(*ParseForm(text), 1);
    } catch (const FormError&) {
    }
    return 0;
}

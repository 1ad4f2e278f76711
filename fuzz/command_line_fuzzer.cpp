// The start-up command line and the name/value tokenizer under it.
#include <string_view>

#include "core/app/StartupOptions.h"
#include "core/common/StringParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    if (size < 3) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
    const StartupOptions options = ReadCommandLine(text);
    if (options.tokenCount > text.size()) {
        std::abort();  // every token takes at least one character
    }
    ChooseStartupRun(options, static_cast<OtherInstance>(data[0] % 3));

    // The tokenizer with other delimiters: bytes 1 and 2 give them (a zero byte means none)
    // and the quote switches.
    CStringParse parse;
    parse.SetTokenDelimiter(data[1] ? std::string(1, static_cast<char>(data[1])) : std::string());
    parse.SetStringValueDelimiter(data[2] ? std::string(1, static_cast<char>(data[2]))
                                          : std::string());
    parse.SetGroupDoubleQuote((data[0] & 8) != 0);
    parse.SetGroupSingleQuote((data[0] & 16) != 0);
    const std::size_t count = parse.Parse(text);
    if (count != parse.NumTokens() || parse.GetNameValue(count + 1).has_value() ||
        (count > 0 && !parse.GetNameValue(count).has_value())) {
        std::abort();
    }
    for (const auto& item : parse.Items()) {
        if (item.Name.empty() || item.Name.size() + item.Value.size() > text.size()) {
            std::abort();
        }
    }
    return 0;
}

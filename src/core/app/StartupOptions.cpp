#include "core/app/StartupOptions.h"

#include <algorithm>
#include <cctype>

#include "core/common/Error.h"
#include "core/common/StringParse.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MessageStyle.h"

namespace trovique {

namespace {

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// "/AUTOPDB=file" quoted as a whole keeps its "=" in the name, since quoted text is ordinary;
// the switch is still meant, with the rest as its value.
bool SplitQuotedAutoPdb(const std::string& name, std::string& value) {
    const std::string prefix = std::string(kSwitchAutoPdb) + "=";
    if (name.size() < prefix.size() || UpperCase(name.substr(0, prefix.size())) != prefix) {
        return false;
    }
    value = name.substr(prefix.size());
    return true;
}

}  // namespace

void ClassifyToken(const std::string& name, const std::string& value, StartupOptions& options) {
    const std::string upper = UpperCase(name);
    std::string quotedValue;
    if (upper == kSwitchShowUI) {
        options.showUI = true;
    } else if (upper == kSwitchShowAbout) {
        options.showAbout = true;
    } else if (upper == kSwitchAutoPdb) {
        options.autoPdbFile = value;
    } else if (SplitQuotedAutoPdb(name, quotedValue)) {
        options.autoPdbFile = quotedValue;
    } else {
        options.startFile = name;
    }
}

StartupOptions ReadCommandLine(std::string_view commandLine) {
    CStringParse parser;
    StartupOptions options;
    options.tokenCount = parser.Parse(commandLine);
    for (const auto& item : parser.Items()) {
        ClassifyToken(item.Name, item.Value, options);
    }
    return options;
}

StartupOptions ReadArguments(const std::vector<std::string>& arguments) {
    StartupOptions options;
    for (const auto& argument : arguments) {
        if (argument.empty()) {
            continue;
        }
        ++options.tokenCount;
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::string upper = UpperCase(name);
        const bool isSwitch =
            upper == kSwitchShowUI || upper == kSwitchShowAbout || upper == kSwitchAutoPdb;
        if (isSwitch && equals != std::string::npos) {
            // The value is kept whole: a file name may hold "=" of its own.
            ClassifyToken(name, argument.substr(equals + 1), options);
        } else {
            ClassifyToken(argument, {}, options);
        }
    }
    return options;
}

StartupDecision ChooseStartupRun(const StartupOptions& options, OtherInstance other) {
    if (options.tokenCount == 0) {
        return {StartupRun::Message,
                std::string(kApplicationTitle) +
                    " must be started from its toolbar icon within PowerPoint.",
                kStyleExclamation};
    }
    if (options.autoPdbFile.empty() && !options.showUI && !options.showAbout) {
        return {StartupRun::SilentEnd, {}, {}};
    }
    if (options.showAbout) {
        return {StartupRun::About, {}, {}};
    }
    if (!options.autoPdbFile.empty()) {
        // A conversion never hands over to a running copy: handing over would drop the
        // presentation it was asked to convert. Without /SHOWUI it keeps out of the way of a
        // running copy altogether.
        if (!options.showUI && other != OtherInstance::None) {
            return {StartupRun::SilentEnd, {}, {}};
        }
        return {StartupRun::Automatic, options.autoPdbFile, {}};
    }
    if (other == OtherInstance::Found) {
        return {StartupRun::HandOver, options.startFile, {}};
    }
    return {StartupRun::Interactive, options.startFile, {}};
}

std::string StartupErrorText(const std::exception& error) {
    return TrappedErrorText(
        "An error has occurred loading " + std::string(kApplicationTitle) + ": ", error);
}

}  // namespace trovique

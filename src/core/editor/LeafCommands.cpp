#include "core/editor/LeafCommands.h"

#include <string>

#include "core/common/NumericText.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

constexpr const char* kTwoLineBreaks = "\r\n\r\n";

const std::string& ConversionWarning() {
    static const std::string text =
        "Conversion between leaf types often involves losing data.  For example, BITMAP leaves "
        "do not have Fact or Question Text.  If a leaf is converted to BITMAP, all Fact and "
        "Question text is removed when the document is saved.";
    return text;
}

}  // namespace

LeafKind LeafKindFromArgument(std::string_view argument) {
    const double number = LeadingNumber(argument);
    if (number == 0.0) {
        return LeafKind::QAF;
    }
    return number == 1.0 ? LeafKind::Fact : LeafKind::Bitmap;
}

bool ConfirmConvertAllLeaves(IUserInterface& ui) {
    const std::string text = "You have opted to convert all leaves.  " + ConversionWarning() +
                             kTwoLineBreaks + "Are you sure you want to convert all leaves?";
    return ReportMessage(ui, text, kStyleYesNo) == MessageAnswer::Yes;
}

bool ConfirmConvertSelectedLeaf(const CServices& services) {
    const std::string text = ConversionWarning() + kTwoLineBreaks +
                             "Are you sure you want to convert the selected leaf?";
    return ConfirmOnce(services, text, {}, settings::kConvertSelectedLeaf);
}

bool RunLeafCommand(CDocument& document, int command, std::string_view argument) {
    switch (command) {
        case kCmdConvertAllLeaves:
            return ConfirmConvertAllLeaves(document.Services().ui) &&
                   document.ConvertAllLeaves(LeafKindFromArgument(argument));
        case kCmdConvertLeaf:
            return ConfirmConvertSelectedLeaf(document.Services()) &&
                   document.ConvertSelectedLeaf(LeafKindFromArgument(argument));
        case kCmdMarkLeavesCopyEnabled:
            return document.MarkLeavesCopyEnabled(LeadingNumber(argument) != 0.0);
        default:
            return false;
    }
}

}  // namespace trovique

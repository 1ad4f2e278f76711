#include "core/print/PrintOptions.h"

#include "core/codec/Windows1252.h"
#include "core/editor/Document.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

std::vector<PrintListLine> TitledLines(const CDocument& document) {
    std::vector<PrintListLine> lines;
    for (const int leaf : QualifyingLeaves(document)) {
        const std::string& title = document.Tree().Entry(leaf).Title();
        if (!title.empty()) {
            lines.push_back({Windows1252ToUtf8(title), leaf, true});
        }
    }
    return lines;
}

}  // namespace

std::vector<int> QualifyingLeaves(const CDocument& document) {
    const CSlideShowTree& tree = document.Tree();
    const bool locked = document.Properties().Locked();
    std::vector<int> leaves;
    for (std::size_t page = 1; page <= tree.LeafCount(); ++page) {
        const int leaf = tree.LeafOnPage(page);
        if (leaf == 0 || !tree.IsLive(leaf)) {
            continue;
        }
        if (locked && tree.Entry(leaf).Leaf && tree.Entry(leaf).Leaf->PasswordProtect()) {
            continue;
        }
        leaves.push_back(leaf);
    }
    return leaves;
}

const char* CPrintOptions::ButtonCaption(int index) {
    switch (index) {
        case kActionOK:
            return "&OK";
        case kActionCancel:
            return "&Cancel";
        case kActionSelectAll:
            return "Select All";
        case kActionDeselectAll:
            return "Deselect All";
        default:
            return "";
    }
}

std::string CPrintOptions::NothingToPrintText() {
    return std::string("There is nothing to print!  Select an item from the ") + kLeafFrame +
           " list or choose to " + kHeaderBox + ".";
}

CPrintOptions::CPrintOptions(const CDocument& document, IUserInterface& ui, std::string printerName)
    : CPrintOptions(TitledLines(document), ui, std::move(printerName)) {}

CPrintOptions::CPrintOptions(std::vector<PrintListLine> lines, IUserInterface& ui,
                             std::string printerName)
    : ui_(ui), lines_(std::move(lines)), printerName_(std::move(printerName)) {}

bool CPrintOptions::DoAction(int index) {
    switch (index) {
        case kActionOK:
            if (!headerInfo_ && ChosenLeaves().empty()) {
                ReportMessage(ui_, NothingToPrintText(), kStyleExclamation);
                return false;
            }
            ok_ = true;
            return true;
        case kActionCancel:
            ok_ = false;
            return true;
        case kActionSelectAll:
        case kActionDeselectAll:
            for (PrintListLine& line : lines_) {
                line.selected = index == kActionSelectAll;
            }
            return false;
        case kActionInitialise:
            printerLabel_ = printerName_.empty() ? std::string(kNoPrinter) : printerName_;
            return false;
        case kActionUpdateOK:
            okEnabled_ = toFile_ || !printerName_.empty();
            return false;
        default:
            ReportFailure(ui_, "Invalid action: " + std::to_string(index), kStyleInformation);
            return false;
    }
}

void CPrintOptions::SetSelected(std::size_t line, bool selected) {
    if (line < lines_.size()) {
        lines_[line].selected = selected;
    }
}

std::vector<int> CPrintOptions::ChosenLeaves() const {
    std::vector<int> leaves;
    for (const PrintListLine& line : lines_) {
        if (line.selected) {
            leaves.push_back(line.elementIndex);
        }
    }
    return leaves;
}

}  // namespace trovique

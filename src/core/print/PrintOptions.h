#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace trovique {

class CDocument;
class IUserInterface;

// Leaves that may be printed, in page order: live, and not hidden by the slide show's lock
// (while it is locked, password-protected leaves stay out).
std::vector<int> QualifyingLeaves(const CDocument& document);

// One line of the "Terms to Print" list: a leaf's title (UTF-8) and its element index.
struct PrintListLine {
    std::string title;
    int elementIndex = 0;
    bool selected = true;
    bool operator==(const PrintListLine&) const = default;
};

// frmPrintOptions, the "Print" dialog, without its window: the two check boxes, the printer
// label, the list of leaves and what its buttons do. The window shows this state and hands
// every click to one call here.
class CPrintOptions {
public:
    // Button and entry numbers of DoAction.
    static constexpr int kActionOK = 0;
    static constexpr int kActionCancel = 1;
    static constexpr int kActionSelectAll = 2;
    static constexpr int kActionDeselectAll = 3;
    static constexpr int kActionInitialise = 100;
    static constexpr int kActionUpdateOK = 101;

    static constexpr const char* kCaption = "Print";
    static constexpr const char* kHeaderBox = "Include Header Information";
    static constexpr const char* kToFileBox = "Print To File";
    static constexpr const char* kPrinterFrame = "Printer";
    static constexpr const char* kLeafFrame = "Terms to Print";
    static constexpr const char* kNoPrinter = "No printer is installed";
    // The captions of cmdAction, by index.
    static const char* ButtonCaption(int index);
    // "There is nothing to print!  Select an item from the Terms to Print list or choose to
    // Include Header Information."
    static std::string NothingToPrintText();

    // The dialog for document: one selected line per qualifying leaf that has a title.
    // printerName is the current printer's name, empty when there is none.
    CPrintOptions(const CDocument& document, IUserInterface& ui, std::string printerName);
    CPrintOptions(std::vector<PrintListLine> lines, IUserInterface& ui, std::string printerName);

    // Runs a button (0 OK, 1 Cancel, 2 Select All, 3 Deselect All) or an entry (100 fills the
    // printer label, 101 updates whether OK is enabled). Returns true when the dialog closes.
    // OK with nothing to print says so and keeps the dialog open; any other number is
    // reported as "Invalid action: " and the number.
    bool DoAction(int index);

    const std::vector<PrintListLine>& Lines() const { return lines_; }
    void SetSelected(std::size_t line, bool selected);
    // The line made current when the dialog opens; -1 for an empty list.
    int CurrentLine() const { return lines_.empty() ? -1 : 0; }

    bool HeaderInfo() const { return headerInfo_; }
    void SetHeaderInfo(bool on) { headerInfo_ = on; }
    bool ToFile() const { return toFile_; }
    void SetToFile(bool on) { toFile_ = on; }
    // The printer label, as entry 100 filled it.
    const std::string& PrinterLabel() const { return printerLabel_; }
    // OK needs somewhere to print to: a printer, or a file.
    bool OKEnabled() const { return okEnabled_; }
    // True once the dialog was closed with OK.
    bool OK() const { return ok_; }
    // The element indices of the selected lines, in list order.
    std::vector<int> ChosenLeaves() const;

private:
    IUserInterface& ui_;
    std::vector<PrintListLine> lines_;
    std::string printerName_;
    std::string printerLabel_;
    bool headerInfo_ = true;
    bool toFile_ = false;
    bool okEnabled_ = true;
    bool ok_ = false;
};

}  // namespace trovique

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/Leaf.h"
#include "core/print/ReportPrinter.h"
#include "support/DocumentFixture.h"

namespace trovique::test {

// A leaf's texts as the record holds them (Windows-1252); answers 1 to 4.
struct LeafContent {
    std::string title;
    std::string fact;
    std::string question;
    std::vector<std::string> answers;
    LeafKind kind = LeafKind::QAF;
    bool protect = false;
};

// A slide show to print: the root's settings and leaves under the root, in page order.
class PrintTestBase : public testing::Test, public DocumentTestBase {
protected:
    int AddLeaf(const LeafContent& content) {
        const int item = AddLeafUnder(Root());
        CLeaf& leaf = *doc->Tree().Entry(item).Leaf;
        leaf.SetKind(content.kind);
        leaf.SetTitle(content.title);
        doc->Tree().Entry(item).SetTitle(content.title);
        leaf.SetFact(content.fact);
        leaf.SetQuestion(content.question);
        for (std::size_t i = 0; i < content.answers.size(); ++i) {
            leaf.SetAnswer(static_cast<int>(i) + 1, content.answers[i]);
        }
        leaf.SetPasswordProtect(content.protect);
        return item;
    }
    void SetRoot(const std::string& title, const std::string& label, const std::string& splash = {},
                 const std::string& contact = {}) {
        CNode& root = *doc->Tree().Entry(Root()).Node;
        root.SetTitle(title);
        root.SetProgramIconName(label);
        root.SetSplashComments(splash);
        root.SetAboutComments(contact);
        doc->Properties().Header().SetCreator("TQVK");
    }
};

// A printer that keeps what it was given, and may fail as a missing printer does.
class RecordingPrinter : public IReportPrinter {
public:
    std::string name = "Office Printer";
    bool missing = false;
    std::vector<std::string> printed;  // plain texts
    std::vector<std::string> statusWhilePrinting;
    std::vector<std::filesystem::path> pdfs;
    IUserInterface* ui = nullptr;

    std::string PrinterName() const override { return missing ? std::string() : name; }
    void Print(const CReportText& report) override {
        if (missing) {
            throw CError(kErrPathFileAccess, "Print", kNoPrinterText);
        }
        printed.push_back(report.PlainText());
        if (ui) {
            statusWhilePrinting.push_back(ui->StatusBar().Text());
        }
    }
    void WritePdf(const CReportText& report, const std::filesystem::path& file) override {
        printed.push_back(report.PlainText());
        pdfs.push_back(file);
    }
};

}  // namespace trovique::test

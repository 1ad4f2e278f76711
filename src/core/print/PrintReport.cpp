#include "core/print/PrintReport.h"

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/editor/DocumentPresentation.h"
#include "core/services/StatusBar.h"

namespace trovique {
namespace {

constexpr ReportFormat kTitle{true, true, report::kTitlePoints};
constexpr ReportFormat kHeaderPlain{false, false, report::kHeaderPoints};
constexpr ReportFormat kHeaderLabel{false, true, report::kHeaderPoints};
constexpr ReportFormat kLeafTitle{true, true, report::kLeafPoints};
constexpr ReportFormat kLeafPlain{false, false, report::kLeafPoints};
constexpr ReportFormat kLeafLabel{false, true, report::kLeafPoints};

std::string Shown(const CDocument& document, int item, TextField field) {
    return Windows1252ToUtf8(FieldText(document, item, field));
}

// An underlined label, a blank line, then the text itself on its own line.
void AppendSection(CReportText& out, const std::string& label, const std::string& text,
                   const ReportFormat& labelFormat, const ReportFormat& plain) {
    out.Append(label, labelFormat);
    out.AppendLineBreaks(2, plain);
    out.Append(text, plain);
    out.AppendLineBreaks(1, plain);
}

void AppendHeader(CReportText& out, const CDocument& document) {
    const int root = document.Tree().GetNodeInfoIndexOfRoot();
    out.Append(Shown(document, root, TextField::SlideShowTitle), kTitle);
    out.AppendLineBreaks(1, kTitle);
    out.AppendLineBreaks(1, kHeaderPlain);
    out.Append(std::string(report::kCreatorID) + report::kColumnSeparator +
                   Shown(document, root, TextField::CreatorID),
               kHeaderPlain);
    out.AppendLineBreaks(1, kHeaderPlain);
    out.Append(std::string(report::kApplicationIcon) + report::kColumnSeparator +
                   Shown(document, root, TextField::ProgramIconName),
               kHeaderPlain);
    const struct {
        const char* label;
        TextField field;
    } sections[] = {{report::kSplashText, TextField::SplashComments},
                    {report::kContactInformation, TextField::AboutComments}};
    for (const auto& section : sections) {
        const std::string text = Shown(document, root, section.field);
        if (!text.empty()) {
            // Each section starts a line of its own, also right after the icon's line.
            out.EndLine(kHeaderPlain);
            AppendSection(out, section.label, text, kHeaderLabel, kHeaderPlain);
        }
    }
    out.AppendLineBreaks(1, kHeaderPlain);
    out.Append(std::string(report::kNumberOfTerms) + report::kColumnSeparator +
                   std::to_string(document.Tree().LevelCount(kLevelLeaves)),
               kHeaderPlain);
}

void AppendLeaf(CReportText& out, const CDocument& document, int item) {
    const CSlideShowTree& tree = document.Tree();
    if (!tree.IsLive(item) || tree.Entry(item).ElemType != ElementKind::Leaf) {
        throw CError::Object(kErrInvalidValue, "PrintLeaves");
    }
    out.AppendLineBreaks(2, kLeafPlain);
    out.Append(Shown(document, item, TextField::LeafTitle), kLeafTitle);
    out.AppendLineBreaks(1, kLeafTitle);
    if (const std::string fact = Shown(document, item, TextField::Fact); !fact.empty()) {
        out.Append(fact, kLeafPlain);
        out.AppendLineBreaks(1, kLeafPlain);
    }
    if (tree.Entry(item).Leaf->Kind() != LeafKind::QAF) {
        return;
    }
    if (const std::string question = Shown(document, item, TextField::Question);
        !question.empty()) {
        AppendSection(out, report::kQuestion, question, kLeafLabel, kLeafPlain);
    }
    for (int answer = 1; answer <= 4; ++answer) {
        const auto field =
            static_cast<TextField>(static_cast<int>(TextField::Answer1) + answer - 1);
        if (const std::string text = Shown(document, item, field); !text.empty()) {
            AppendSection(out, report::kAnswer + std::to_string(answer), text, kLeafLabel,
                          kLeafPlain);
        }
    }
}

}  // namespace

CReportText BuildPrintReport(const CDocument& document, const std::vector<int>& leaves, bool header,
                             CStatusBar* status) {
    CReportText out;
    if (header) {
        if (status) {
            status->SetText(report::kPrintingHeader);
        }
        AppendHeader(out, document);
    }
    if (status) {
        status->SetNumItems(static_cast<std::int32_t>(leaves.size()));
    }
    std::int32_t done = 0;
    for (const int item : leaves) {
        if (status) {
            status->SetNumItemsComplete(++done);
            status->SetText(report::kPrinting + Shown(document, item, TextField::LeafTitle));
        }
        AppendLeaf(out, document, item);
    }
    return out;
}

}  // namespace trovique

#include "gui/windows/DocumentWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/DocumentPresentation.h"

namespace trovique::gui {

DocumentWindow::DocumentWindow(CServices& services, const PalmPalettes& palettes, QWidget* parent)
    : QWidget(parent),
      document_(std::make_unique<CDocument>(services, palettes)),
      summary_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmDocument"));
    summary_->setObjectName(QStringLiteral("lblSummary"));
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    summary_->setMargin(8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(summary_);
    resize(480, 320);
    UpdateCaption();
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::UpdateCaption() {
    setWindowTitle(QString::fromStdString(document_->WindowTitle()));
    const CSlideShowTree& tree = document_->Tree();
    summary_->setText(tr("%1\nFile: %2\nSlides: %3\nSize of Slide Show On Palm: %4")
                          .arg(QString::fromStdString(document_->WindowTitle()),
                               QString::fromStdString(document_->FileName()))
                          .arg(tree.LeafCount())
                          .arg(QString::fromStdString(SizeLabel(tree.DBSize()))));
}

void DocumentWindow::RefreshActiveNode() {
    UpdateCaption();
}

void DocumentWindow::BranchExpand(bool expand) {
    CSlideShowTree& tree = document_->Tree();
    const int top = tree.Selected() != 0 ? tree.Selected() : tree.GetNodeInfoIndexOfRoot();
    tree.SetExpanded(top, expand);
    UpdateCaption();
}

void DocumentWindow::DisplayItem(int elementIndex, DocumentControl control) {
    (void)control;
    if (document_->DisplayItem(elementIndex)) {
        UpdateCaption();
    }
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (askClose && !askClose(*this)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace trovique::gui

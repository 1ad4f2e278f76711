#include "gui/panes/NodePane.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/editor/PaneContent.h"
#include "gui/panes/FieldBoxes.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

NodePane::NodePane(FieldBoxes& boxes, QWidget* parent) : QWidget(parent), boxes_(boxes) {
    setObjectName(QStringLiteral("picNode"));
    auto* title = boxes.AddLine(TextField::NodeTitle, this);
    path_ = NamedLabel("lblPath", this);
    path_->setWordWrap(true);
    slides_ = NamedLabel("lblNumLeaves", this);
    total_ = NamedLabel("lblTotalSlides", this);
    percentage_ = NamedLabel("lblPercentage", this);
    firstPage_ = NamedLabel("lblFirstPage", this);
    size_ = NamedLabel("lblSizeDB_1", this);

    auto* form = new QFormLayout;
    auto* titleLabel = new QLabel(tr("&Title:"), this);
    titleLabel->setBuddy(title);
    form->addRow(titleLabel, title);
    form->addRow(tr("Path:"), path_);
    form->addRow(tr("Number of Slides:"), slides_);
    form->addRow(tr("Total Number of Slides:"), total_);
    form->addRow(tr("Percentage of All Slides:"), percentage_);
    form->addRow(tr("Page Number of first Term under this branch:"), firstPage_);
    form->addRow(tr("Size of Slide Show On Palm:"), size_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
}

void NodePane::Show(const PaneContent& content) {
    boxes_.Fill({TextField::NodeTitle});
    ShowSummary(content);
}

void NodePane::ShowSummary(const PaneContent& content) {
    path_->setText(FromCore(content.path));
    slides_->setText(FromCore(content.slidesBelow));
    total_->setText(FromCore(content.numberOfSlides));
    percentage_->setText(FromCore(content.percentage));
    firstPage_->setText(FromCore(content.firstPage));
    size_->setText(FromCore(content.size));
}

}  // namespace trovique::gui

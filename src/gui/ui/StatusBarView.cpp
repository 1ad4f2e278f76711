#include "gui/ui/StatusBarView.h"

#include <QLabel>

#include "gui/ui/GuiText.h"

namespace trovique::gui {

StatusBarView::StatusBarView(QWidget* parent)
    : QStatusBar(parent), text_(new QLabel(this)), percentage_(new QLabel(this)) {
    setObjectName(QStringLiteral("sbStatusBar"));
    text_->setObjectName(QStringLiteral("pnlText"));
    percentage_->setObjectName(QStringLiteral("pnlPercentage"));
    percentage_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 16);
    percentage_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addWidget(text_, 1);
    addPermanentWidget(percentage_);
}

void StatusBarView::SetPanelText(int panel, const std::string& text) {
    (panel == 1 ? text_ : percentage_)->setText(FromCore(text));
}

QString StatusBarView::PanelText(int panel) const {
    return (panel == 1 ? text_ : percentage_)->text();
}

}  // namespace trovique::gui

#include "gui/windows/ValidateWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/app/Twips.h"
#include "core/services/SettingNames.h"
#include "core/settings/WindowPlacement.h"
#include "core/validation/ValidationResults.h"
#include "gui/models/ValidationResultsModel.h"
#include "gui/ui/GuiText.h"
#include "gui/windows/IDocumentWindow.h"

namespace trovique::gui {

using Action = CValidationResults::GoToOutcome::Action;

ValidateWindow::ValidateWindow(CValidationResults& results, ISettingsStore& store,
                               ValidateWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window),
      results_(results),
      store_(store),
      links_(std::move(links)),
      model_(new ValidationResultsModel(results, this)),
      tree_(new QTreeView(this)),
      goTo_(new QPushButton(tr("&Go To"), this)),
      close_(new QPushButton(tr("&Close"), this)),
      revalidate_(new QPushButton(tr("&Revalidate"), this)),
      info_(new QLabel(tr("Press F2 to return to this screen"), this)) {
    setObjectName(QStringLiteral("frmValidate"));
    // A list left open must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    tree_->setObjectName(QStringLiteral("tvErrors"));
    goTo_->setObjectName(QStringLiteral("cmdAction_0"));
    close_->setObjectName(QStringLiteral("cmdAction_1"));
    revalidate_->setObjectName(QStringLiteral("cmdAction_2"));
    info_->setObjectName(QStringLiteral("lblInfo"));
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setExpandsOnDoubleClick(true);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* row = new QHBoxLayout;
    row->addWidget(goTo_);
    row->addWidget(close_);
    row->addWidget(revalidate_);
    row->addSpacing(12);
    row->addWidget(info_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(row);

    connect(goTo_, &QPushButton::clicked, this,
            [this] { DoAction(CValidationResults::kActionGoTo); });
    connect(close_, &QPushButton::clicked, this,
            [this] { DoAction(CValidationResults::kActionClose); });
    connect(revalidate_, &QPushButton::clicked, this,
            [this] { DoAction(CValidationResults::kActionRevalidate); });
    auto* revalidateKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1), this);
    connect(revalidateKey, &QShortcut::activated, this,
            [this] { DoAction(CValidationResults::kActionRevalidate); });
    connect(tree_, &QTreeView::doubleClicked, this,
            [this] { DoAction(CValidationResults::kActionDoubleClick); });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!following_) {
                    results_.Select(ValidationResultsModel::NodeOf(current));
                }
            });
    connect(model_, &QAbstractItemModel::modelReset, this, &ValidateWindow::Refill);
    connect(model_, &ValidationResultsModel::selectionMoved, this, &ValidateWindow::ShowSelection);
    model_->onVisibility = [this](bool visible, bool front) { FollowVisibility(visible, front); };

    resize(520, 320);
    DoAction(CValidationResults::kActionLoad);
    RestorePlacement();
}

ValidateWindow::~ValidateWindow() {
    // Settings that cannot be written must not stop the program from closing.
    try {
        SavePlacement();
    } catch (const std::exception&) {
    }
}

void ValidateWindow::DoAction(int action) {
    const CValidationLimit limit = links_.limit ? links_.limit() : CValidationLimit();
    const CValidationResults::GoToOutcome outcome = results_.DoAction(action, limit);
    switch (outcome.action) {
        case Action::ShowOptions:
            if (links_.options) {
                links_.options();
            }
            break;
        case Action::Displayed: {
            IDocumentWindow* window =
                links_.windowOf ? links_.windowOf(results_.DocForm()) : nullptr;
            if (!window) {
                break;
            }
            if (auto* child = qobject_cast<QMdiSubWindow*>(window->Widget().parentWidget())) {
                if (QMdiArea* area = child->mdiArea()) {
                    area->setActiveSubWindow(child);
                }
            }
            window->Widget().window()->activateWindow();
            window->DisplayItem(outcome.elementIndex, outcome.control);
            break;
        }
        case Action::Nothing:
        case Action::NotDisplayed:
            break;
    }
}

void ValidateWindow::closeEvent(QCloseEvent* event) {
    // The list is hidden, never unloaded, while the program runs.
    event->ignore();
    DoAction(CValidationResults::kActionClose);
}

void ValidateWindow::Refill() {
    setWindowTitle(FromCore(results_.Caption()));
    goTo_->setEnabled(results_.GoToEnabled());
    revalidate_->setEnabled(results_.RevalidateEnabled());
    // A run adds its findings one by one; the entries are opened once it has let go, rather
    // than the whole tree being laid out again after every finding.
    if (!expandPending_) {
        expandPending_ = true;
        QTimer::singleShot(0, this, [this] {
            expandPending_ = false;
            tree_->expandAll();
            ShowSelection();
        });
    }
    ShowSelection();
}

void ValidateWindow::ShowSelection() {
    following_ = true;
    const auto& selected = results_.Selected();
    const QModelIndex index = selected ? model_->IndexOf(*selected) : QModelIndex();
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    } else {
        tree_->selectionModel()->clear();
    }
    following_ = false;
}

void ValidateWindow::FollowVisibility(bool visible, bool bringToFront) {
    if (!visible) {
        hide();
        return;
    }
    show();
    if (bringToFront) {
        raise();
        activateWindow();
        tree_->setFocus();
    }
}

void ValidateWindow::RestorePlacement() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    WindowGeometry geometry{TwipsFromPixels(x(), dpiX), TwipsFromPixels(y(), dpiY),
                            TwipsFromPixels(width(), dpiX), TwipsFromPixels(height(), dpiY),
                            WindowState::Normal};
    const WindowGeometry before = geometry;
    RestoreWindowPlacement(store_, settings::kValidateWindow, geometry, WindowState::Normal);
    if (geometry.left == before.left && geometry.top == before.top &&
        geometry.width == before.width && geometry.height == before.height) {
        return;  // nothing stored: the desktop places the window
    }
    move(PixelsFromTwips(geometry.left, dpiX), PixelsFromTwips(geometry.top, dpiY));
    resize(PixelsFromTwips(geometry.width, dpiX), PixelsFromTwips(geometry.height, dpiY));
}

void ValidateWindow::SavePlacement() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    SaveWindowPlacement(store_, settings::kValidateWindow,
                        {TwipsFromPixels(x(), dpiX), TwipsFromPixels(y(), dpiY),
                         TwipsFromPixels(width(), dpiX), TwipsFromPixels(height(), dpiY),
                         isMinimized() ? WindowState::Minimised : WindowState::Normal});
}

}  // namespace trovique::gui

// The menus, the toolbar and their enabling: built from core's tables, so that names,
// captions, separators and the document-dependent group are defined once.
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>

#include "core/app/Commands.h"
#include "core/app/MainMenu.h"
#include "core/app/RecentFiles.h"
#include "core/app/TextEditCommands.h"
#include "core/editor/Document.h"
#include "core/editor/DocumentPresentation.h"
#include "core/editor/DocumentWindowRules.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/Messages.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/MainWindow.h"

namespace trovique::gui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A toolbar picture: the freedesktop icon of that meaning when the theme has one, else a
// drawn badge with the button's letter, at 16 and 24 pixels, with a greyed disabled form.
QIcon ButtonIcon(const char* themeName, QChar letter, QColor colour) {
    QIcon icon = QIcon::fromTheme(QLatin1String(themeName));
    if (!icon.isNull()) {
        return icon;
    }
    for (const int size : {16, 24}) {
        for (const bool enabled : {true, false}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            const QColor fill = enabled ? colour : QColor(190, 190, 190);
            painter.setBrush(fill);
            painter.setPen(fill.darker(140));
            painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3, 3);
            QFont font = painter.font();
            font.setBold(true);
            font.setPixelSize(size * 2 / 3);
            painter.setFont(font);
            painter.setPen(enabled ? Qt::white : QColor(240, 240, 240));
            painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
            painter.end();
            icon.addPixmap(pixmap, enabled ? QIcon::Normal : QIcon::Disabled);
        }
    }
    return icon;
}

struct ButtonLook {
    const char* theme;
    QChar letter;
    QColor colour;
};

// Pictures by image number of the toolbar table.
ButtonLook LookOfImage(int image) {
    switch (image) {
        case 1:
            return {"document-new", u'N', QColor(60, 120, 200)};
        case 2:
            return {"document-open", u'O', QColor(200, 150, 40)};
        case 3:
            return {"document-save", u'S', QColor(40, 140, 90)};
        case 4:
            return {"document-print", u'P', QColor(90, 90, 90)};
        case 5:
            return {"edit-cut", u'X', QColor(180, 70, 70)};
        case 6:
            return {"edit-copy", u'C', QColor(80, 110, 170)};
        case 7:
            return {"edit-paste", u'V', QColor(140, 100, 60)};
        case 14:
            return {"list-add", u'+', QColor(40, 150, 60)};
        case 18:
            return {"edit-delete", u'D', QColor(190, 50, 50)};
        case 15:
            return {"dialog-ok", u'\u2713', QColor(30, 130, 130)};
        case 16:
            return {"document-import", u'I', QColor(120, 80, 170)};
        default:
            return {"document-export", u'E', QColor(170, 90, 30)};
    }
}

// A menu's own enabled state follows its widget, which follows the frame: a menu is disabled
// through its widget so that enabling the frame again does not enable it.
void SetItemEnabled(QAction* action, bool enabled) {
    if (!action) {
        return;
    }
    if (QMenu* menu = action->menu()) {
        menu->setEnabled(enabled);
    }
    action->setEnabled(enabled);
}

}  // namespace

QAction* MainWindow::MakeAction(const MenuEntry& entry, QObject* parent) {
    auto* action = new QAction(Q(entry.caption), parent);
    action->setObjectName(Q(entry.name));
    if (!entry.shortcut.empty()) {
        action->setShortcut(QKeySequence(Q(entry.shortcut)));
        // Menu keys work in this window only, never over a dialog's fields.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    const QString name = Q(entry.name);
    const int command = entry.command;
    const QString parameter = Q(entry.parameter);
    if (name == QLatin1String("mnuViewToolbar") || name == QLatin1String("mnuViewStatusBar")) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    connect(action, &QAction::triggered, this, [this, name, command, parameter] {
        if (command == cmd::kFrameHandler) {
            FrameHandler(name);
        } else {
            DoCmd(command, parameter);
        }
    });
    actions_.insert(name, action);
    return action;
}

void MainWindow::AddEntries(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            QAction* separator = menu.addSeparator();
            if (!entry.name.empty()) {
                separator->setObjectName(Q(entry.name));
                actions_.insert(Q(entry.name), separator);
            }
            continue;
        }
        if (!entry.children.empty()) {
            QMenu* sub = menu.addMenu(Q(entry.caption));
            sub->setObjectName(Q(entry.name));
            sub->menuAction()->setObjectName(Q(entry.name));
            actions_.insert(Q(entry.name), sub->menuAction());
            AddEntries(*sub, entry.children);
            continue;
        }
        menu.addAction(MakeAction(entry, &menu));
    }
}

void MainWindow::BuildMenus() {
    for (const MenuEntry& top : MainMenuBar()) {
        QMenu* menu = menuBar()->addMenu(Q(top.caption));
        menu->setObjectName(Q(top.name));
        menu->menuAction()->setObjectName(Q(top.name));
        actions_.insert(Q(top.name), menu->menuAction());
        AddEntries(*menu, top.children);
        const int opening = top.command;
        if (opening != cmd::kFrameHandler) {
            connect(menu, &QMenu::aboutToShow, this, [this, opening] { DoCmd(opening, {}); });
        }
    }
    connect(MenuNamed(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &MainWindow::RebuildWindowMenu);
    const MenuEntry& context = trovique::TextBoxContextMenu();
    contextMenu_ = new QMenu(Q(context.caption), this);
    contextMenu_->setObjectName(Q(context.name));
    AddEntries(*contextMenu_, context.children);
}

QMenu* MainWindow::MenuNamed(const QString& name) const {
    return findChild<QMenu*>(name);
}

void MainWindow::BuildToolBar() {
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setWindowTitle(tr("Toolbar"));
    toolBar_->setIconSize(QSize(24, 24));
    addToolBar(toolBar_);
    int position = 1;
    for (const ToolbarButton& button : ToolbarButtons()) {
        // The gaps of the table are separators, one for each run of unused positions.
        if (button.position > position) {
            toolBar_->addSeparator();
        }
        position = button.position + 1;
        const ButtonLook look = LookOfImage(button.image);
        QAction* action = toolBar_->addAction(ButtonIcon(look.theme, look.letter, look.colour),
                                              QLatin1String(button.tooltip));
        action->setObjectName(QStringLiteral("tb") + QLatin1String(button.key));
        action->setToolTip(QLatin1String(button.tooltip));
        action->setData(button.position);
        const int command = button.command;
        const QString parameter = QLatin1String(button.parameter);
        connect(action, &QAction::triggered, this,
                [this, command, parameter] { DoCmd(command, parameter); });
        toolButtons_.insert(button.position, action);
    }
}

void MainWindow::SetTBButtonEnable(int position, bool enabled) {
    if (QAction* button = toolButtons_.value(position)) {
        button->setEnabled(enabled);  // the icon's disabled form follows
    }
}

void MainWindow::TBUpdateText() {
    const std::pair<int, const char*> followers[] = {{kToolbarCut, "mnuNodeCut"},
                                                     {kToolbarCopy, "mnuNodeCopy"},
                                                     {kToolbarPaste, "mnuNodePaste"}};
    for (const auto& [position, item] : followers) {
        if (QAction* button = toolButtons_.value(position)) {
            button->setToolTip(
                Q(TooltipOfCaption(Action(QLatin1String(item))->text().toStdString())));
        }
    }
}

void MainWindow::UpdateMenuStatus(bool enabled) {
    for (const std::string& name : DocumentDependentMenuItems()) {
        SetItemEnabled(Action(Q(name)), enabled);
    }
    for (auto it = toolButtons_.cbegin(); it != toolButtons_.cend(); ++it) {
        if (ToolbarButtonNeedsSlideShow(it.key())) {
            it.value()->setEnabled(enabled);
        }
    }
}

void MainWindow::ApplyNodeMenu() {
    IDocumentWindow* target = ActiveDocument();
    if (!target) {
        return;
    }
    const NodeMenuState state = SetNodeMenuSelections(target->Document().Tree(), *nodeClipboard_);
    const auto set = [this](const char* name, bool enabled) {
        SetItemEnabled(Action(QLatin1String(name)), enabled);
    };
    set("mnuSlideAdd", state.add);
    for (const char* name : {"mnuNodeDelete", "mnuNodeGoToParent", "mnuNodeGoToRoot"}) {
        set(name, state.deleteAndGoTo);
    }
    set("mnuNodeCut", state.cut);
    set("mnuNodeCopy", state.copy);
    set("mnuNodePaste", state.paste);
    set("mnuNodeClearClipboard", state.paste);
    set("mnuNodeMove_0", state.moveUp);
    set("mnuNodeMove_2", state.moveUp);
    set("mnuNodeMove_1", state.moveDown);
    set("mnuNodeMove_3", state.moveDown);
    set("mnuNodeCollapse", state.expandCollapse);
    set("mnuNodeExpand", state.expandCollapse);
    set("mnuNodeConvertLeaf", state.convertLeaf);
    SetTBButtonEnable(19, state.add);
    SetTBButtonEnable(20, state.deleteAndGoTo);
    SetTBButtonEnable(kToolbarCut, state.cut);
    SetTBButtonEnable(kToolbarCopy, state.copy);
    SetTBButtonEnable(kToolbarPaste, state.paste);
    for (const char* name :
         {"mnuNodeCut", "mnuNodeCopy", "mnuNodePaste", "mnuNodeDelete", "mnuNodeRename"}) {
        const MenuEntry* entry = FindMenuEntry(name);
        Action(QLatin1String(name))->setText(Q(RelabelForKind(entry->caption, state.isLeaf)));
    }
    const UndoMenuState& undo = target->Document().UndoMenu();
    for (const char* name : {"mnuNodeUndo", "mnuTermUndo", "mnuEditUndoOld"}) {
        Action(QLatin1String(name))->setText(Q(undo.caption));
        set(name, undo.enabled);
    }
    set("mnuEditRedo", RedoOffered(undo));
    TBUpdateText();
}

void MainWindow::ApplyTextEditItems(bool contextMenu) {
    QWidget* focus = QApplication::focusWidget();
    FocusedTextControl control;
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        control = {.isTextBox = true,
                   .locked = line->isReadOnly(),
                   .canUndo = line->isUndoAvailable(),
                   .selectionLength = static_cast<std::size_t>(line->selectedText().size()),
                   .textLength = static_cast<std::size_t>(line->text().size())};
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        control = {
            .isTextBox = true,
            .locked = text->isReadOnly(),
            .canUndo = text->document()->isUndoAvailable(),
            .selectionLength = static_cast<std::size_t>(text->textCursor().selectedText().size()),
            .textLength = static_cast<std::size_t>(text->document()->characterCount() - 1)};
    } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
        control = {
            .isTextBox = true,
            .locked = rich->isReadOnly(),
            .canUndo = rich->document()->isUndoAvailable(),
            .selectionLength = static_cast<std::size_t>(rich->textCursor().selectedText().size()),
            .textLength = static_cast<std::size_t>(rich->document()->characterCount() - 1)};
    }
    control.clipboardHasText = !QApplication::clipboard()->text().isEmpty();
    IDocumentWindow* target = ActiveDocument();
    control.isFactBox = target && focus && focus == target->FactTextBox();
    const TextEditItems items = EnableTextEditItems(control);
    const QString prefix =
        contextMenu ? QStringLiteral("mnuContextText") : QStringLiteral("mnuEdit");
    const std::pair<const char*, bool> states[] = {{contextMenu ? "Undo" : "UndoText", items.undo},
                                                   {"Cut", items.cut},
                                                   {"Copy", items.copy},
                                                   {"Paste", items.paste},
                                                   {"Delete", items.remove},
                                                   {"SelectAll", items.selectAll},
                                                   {"ImportFromFile", items.importFromFile}};
    for (const auto& [suffix, enabled] : states) {
        if (QAction* action = Action(prefix + QLatin1String(suffix))) {
            action->setEnabled(enabled);
        }
    }
}

void MainWindow::ShowFactContext() {
    DoCmd(cmd::kContextMenuOpening, {});
    contextMenu_->popup(QCursor::pos());
}

void MainWindow::RebuildRecentFiles() {
    const CRecentFiles::Slots& files = recent_->Files();
    for (int slot = 1; slot <= static_cast<int>(files.size()); ++slot) {
        QAction* item = Action(QStringLiteral("mnuFileMRU_%1").arg(slot));
        const std::string& file = files[slot - 1];
        item->setText(file.empty() ? QString() : Q(RecentFileCaption(slot, file)));
        item->setData(Q(file));
        item->setVisible(!file.empty());
    }
    Action(QStringLiteral("mnuFileMRUSep"))->setVisible(recent_->AnyUsed());
}

void MainWindow::MRUSet(const QString& file) {
    recent_->Set(file.toStdString());
    RebuildRecentFiles();
}

void MainWindow::RebuildWindowMenu() {
    QMenu* menu = MenuNamed(QStringLiteral("mnuWindow"));
    for (QAction* action : menu->actions()) {
        if (action->property("windowEntry").toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (!windows.isEmpty()) {
        menu->addSeparator()->setProperty("windowEntry", true);
    }
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* entry =
            menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        entry->setProperty("windowEntry", true);
        entry->setCheckable(true);
        entry->setChecked(window == mdi_->activeSubWindow());
        connect(entry, &QAction::triggered, this,
                [this, window] { mdi_->setActiveSubWindow(window); });
    }
}

// Items whose work belongs to windows that are not there are hidden, not left doing nothing.
void MainWindow::HideItemsWithoutWork() {
    const auto hide = [this](const char* name, bool hidden) {
        if (QAction* action = Action(QLatin1String(name))) {
            action->setVisible(!hidden);
        }
    };
    for (const char* name : {"mnuFileSend", "mnuSlideAdd"}) {
        hide(name, true);
    }
    hide("mnuFilePrint", !hooks_.print);
    hide("mnuFilePrintPreview", !hooks_.printPreview);
    hide("mnuFilePageSetup", !hooks_.pageSetup);
    hide("mnuViewOptions", !hooks_.options);
    hide("mnuViewGotoValidation", !hooks_.showValidate);
    if (QAction* print = toolButtons_.value(5)) {
        print->setVisible(static_cast<bool>(hooks_.print));
    }
}

void MainWindow::FrameHandler(const QString& name) {
    if (name == QLatin1String("mnuFileSaveAll")) {
        SaveAll();
    } else if (name == QLatin1String("mnuFileExit")) {
        close();
    } else if (name == QLatin1String("mnuViewToolbar")) {
        toolBar_->setVisible(Action(name)->isChecked());
    } else if (name == QLatin1String("mnuViewStatusBar")) {
        statusBar()->setVisible(Action(name)->isChecked());
    } else if (name == QLatin1String("mnuFilePrintPreview")) {
        if (IDocumentWindow* target = ActiveDocument(); target && hooks_.printPreview) {
            hooks_.printPreview(target->Document());
        }
    } else if (name == QLatin1String("mnuFilePageSetup")) {
        if (hooks_.pageSetup) {
            hooks_.pageSetup();
        }
    } else if (name == QLatin1String("mnuViewGotoValidation")) {
        ShowValidate(true);
    } else if (name == QLatin1String("mnuViewRefresh")) {
        if (IDocumentWindow* target = ActiveDocument()) {
            target->RefreshActiveNode();
        }
        ApplyNodeMenu();
        update();
    } else if (name == QLatin1String("mnuWindowCascade")) {
        mdi_->cascadeSubWindows();
    } else if (name == QLatin1String("mnuWindowTileHorizontal") ||
               name == QLatin1String("mnuWindowTileVertical") ||
               name == QLatin1String("mnuWindowArrangeIcons")) {
        // Qt tiles in one way; minimised windows line up on their own.
        mdi_->tileSubWindows();
    } else if (name == QLatin1String("mnuHelpSearch")) {
        OpenHelp(true);
    } else if (name == QLatin1String("mnuHelpAbout")) {
        AboutDialog about(this);
        about.exec();
    } else if (name == QLatin1String("mnuFileProperties")) {
        if (IDocumentWindow* target = ActiveDocument()) {
            target->Document().EditPrefs();
            target->RefreshActiveNode();
        }
    }
}

}  // namespace trovique::gui

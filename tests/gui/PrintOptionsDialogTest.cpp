// frmPrintOptions, the "Print" dialog, over core's print options.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/print/PrintOptions.h"
#include "core/services/MemorySettingsStore.h"
#include "gui/dialogs/PrintOptionsDialog.h"
#include "gui/ui/QtUserInterface.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

class PrintOptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void ButtonsAndListFollowCore();
};

namespace {

// A slide show with three leaves, the second one password-protected.
struct Show {
    MemorySettingsStore store;
    CQtUserInterface ui;
    CServices services{store, ui};
    CPalette palette;
    CDocument document{services, PalmPalettes{palette, palette, palette}};
    Show() {
        const int root = document.Tree().GetNodeInfoIndexOfRoot();
        for (const char* title : {"Open", "Secret", "Last"}) {
            const int leaf = document.AddGenNode(ElementKind::Leaf, title, nullptr, root,
                                                 Relationship::Child, AddOptions::None);
            document.Tree().Entry(leaf).Leaf->SetPasswordProtect(std::string(title) == "Secret");
        }
    }
};

QStringList Selected(QListWidget& list) {
    QStringList titles;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected()) {
            titles << list.item(row)->text();
        }
    }
    return titles;
}

}  // namespace

void PrintOptionsDialogTest::ButtonsAndListFollowCore() {
    for (const bool locked : {false, true}) {
        Show show;
        show.document.Properties().SetLocked(locked);
        CPrintOptions options(show.document, show.ui, "Laser");
        PrintOptionsDialog dialog(options);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmPrintOptions"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
        auto* header = dialog.findChild<QCheckBox*>(QStringLiteral("Check1_0"));
        const auto button = [&](int index) {
            return dialog.findChild<QPushButton*>(QStringLiteral("cmdAction_%1").arg(index));
        };
        QCOMPARE(header->text(), QStringLiteral("Include Header Information"));
        QCOMPARE(dialog.findChild<QCheckBox*>(QStringLiteral("Check1_1"))->text(),
                 QStringLiteral("Print To File"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Laser"));
        const QStringList captions{"&OK", "&Cancel", "Select All", "Deselect All"};
        for (int index = 0; index < 4; ++index) {
            QCOMPARE(button(index)->text(), captions[index]);
        }
        // Every offered leaf starts selected; a locked show offers no protected leaf.
        const QStringList offered =
            locked ? QStringList{"Open", "Last"} : QStringList{"Open", "Secret", "Last"};
        QCOMPARE(Selected(*list), offered);
        QCOMPARE(list->currentRow(), 0);

        button(CPrintOptions::kActionDeselectAll)->click();
        QVERIFY(Selected(*list).isEmpty());
        QVERIFY(options.ChosenLeaves().empty());
        list->item(1)->setSelected(true);
        QCOMPARE(options.ChosenLeaves().size(), 1u);
        button(CPrintOptions::kActionSelectAll)->click();
        QCOMPARE(Selected(*list), offered);

        // Nothing to print: the message shows and the dialog stays open.
        button(CPrintOptions::kActionDeselectAll)->click();
        header->setChecked(false);
        dialog.show();
        QString message;
        guitest::OnNextModal([&message](QWidget* modal) {
            for (auto* label : modal->findChildren<QLabel*>()) {
                message += label->text();
            }
            modal->close();
        });
        button(CPrintOptions::kActionOK)->click();
        QVERIFY2(message.contains(QStringLiteral("There is nothing to print!")),
                 qPrintable(message));
        QVERIFY(dialog.isVisible());
        QVERIFY(!options.OK());
        header->setChecked(true);
        button(CPrintOptions::kActionOK)->click();
        QVERIFY(!dialog.isVisible());
        QVERIFY(options.OK() && options.HeaderInfo());
    }
}

QTEST_MAIN(PrintOptionsDialogTest)
#include "PrintOptionsDialogTest.moc"

// The windows behind the progress, status bar, long-message and destination services.

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/services/FileDialogSpec.h"
#include "core/services/Messages.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/MultiMessageDialog.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/ui/StatusBarView.h"
#include "gui/ui/TopMost.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

class ServiceWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void ProgressShowsItsStateAndRefusesToClose();
    void StatusBarShowsTextAndPercentage();
    void LongMessageKeepsHeaderAndOkAroundTheText();
    void DestinationButtonsGiveTheirChoice();
    void FileTextAndPreferenceDialogsFollowCore();
    void TheHourglassDisablesTheCommandWindow();
};

void ServiceWindowsTest::ProgressShowsItsStateAndRefusesToClose() {
    CQtUserInterface ui;
    CProgress& progress = ui.Progress();
    ProgressWindow& window = ui.ProgressView();
    QCOMPARE(window.objectName(), QStringLiteral("frmProgress"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Trovique Progress"));
    auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    QCOMPARE(cancel->text(), QStringLiteral("&Cancel"));
    progress.Show();
    progress.SetNumItems(9);
    progress.SetNumItemsComplete(7);
    progress.SetText("Reading Slide 8");
    QCOMPARE(window.findChild<QProgressBar*>()->value(), 77);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblText"))->text(),
             QStringLiteral("Reading Slide 8"));
    QVERIFY(IsTopMost(window));

    // The close box and Escape leave the window up and count as Cancel.
    for (const bool escape : {false, true}) {
        progress.Clear(false);
        progress.Show();
        QVERIFY(!progress.UserCancel());
        if (escape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            QVERIFY(!window.close());
        }
        QVERIFY(window.isVisible());
        QVERIFY(progress.UserCancel());
    }
    progress.Clear(false);
    cancel->click();
    QVERIFY(progress.UserCancel());

    progress.SetAllowCancel(false);
    progress.SetOnTop(false);
    QVERIFY(!cancel->isEnabled());
    QVERIFY(!IsTopMost(window));
    // A message box lets it down and gives it back as its owner left it.
    guitest::OnNextModal([](QWidget* modal) { modal->close(); });
    ReportMessage(ui, "note", kStyleInformation);
    QVERIFY(!IsTopMost(window));
    progress.SetTop(0);
    QCOMPARE(progress.Top(), 0);
    progress.Clear(true);
    QVERIFY(!window.isVisible());
    QVERIFY(cancel->isEnabled());
}

void ServiceWindowsTest::StatusBarShowsTextAndPercentage() {
    CQtUserInterface ui;
    StatusBarView view;
    ui.SetStatusBarView(&view);
    CStatusBar& bar = ui.StatusBar();
    bar.PushText("A");
    bar.PushText("B");
    bar.SetNumItems(9);
    bar.SetNumItemsComplete(7);
    QCOMPARE(view.PanelText(1), QStringLiteral("B"));
    QCOMPARE(view.PanelText(2), QStringLiteral("77%"));
    bar.PopText();
    bar.ClearPercentage();
    QCOMPARE(view.PanelText(1), QStringLiteral("A"));
    QCOMPARE(view.PanelText(2), QString());
    ui.SetStatusBarView(nullptr);
    bar.SetText("unseen");
    QCOMPARE(view.PanelText(1), QStringLiteral("A"));
}

void ServiceWindowsTest::LongMessageKeepsHeaderAndOkAroundTheText() {
    MultiMessageDialog dialog;
    dialog.SetWindowCaption(QStringLiteral("Trovique Warnings"));
    dialog.SetHeaderText(QStringLiteral("The following warnings were issued:"));
    dialog.SetMsgText(QStringLiteral("one\ntwo"));
    dialog.show();
    auto* header = dialog.findChild<QLabel*>(QStringLiteral("lblHeader"));
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtMsg"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(text->isReadOnly());
    for (const QSize size : {QSize(400, 300), QSize(700, 520)}) {
        dialog.resize(size);
        QCoreApplication::processEvents();
        QVERIFY(header->geometry().bottom() < text->geometry().top());
        QVERIFY(text->geometry().bottom() < ok->geometry().top());
        QVERIFY(text->height() > dialog.height() / 2);
    }
    ok->click();
    QVERIFY(!dialog.isVisible());
}

void ServiceWindowsTest::DestinationButtonsGiveTheirChoice() {
    const struct {
        QString button;  // empty: Escape
        SlideShowDestination choice;
        QString caption;
    } cases[] = {
        {QStringLiteral("cmdAction_0"), SlideShowDestination::HotSync, QStringLiteral("&HotSync")},
        {QStringLiteral("cmdAction_1"), SlideShowDestination::Save, QStringLiteral("&Save...")},
        {QStringLiteral("cmdAction_2"), SlideShowDestination::Cancel, QStringLiteral("&Cancel")},
        {QString(), SlideShowDestination::Cancel, QString()},
    };
    for (const auto& c : cases) {
        auto* about = new AboutDialog;
        about->show();
        QPointer<QWidget> aboutAlive(about);
        QString caption, pressed, explanation;
        guitest::OnNextModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            explanation = modal->findChild<QLabel*>()->text();
            if (c.button.isEmpty()) {
                QTest::keyClick(modal, Qt::Key_Escape);
                return;
            }
            auto* button = modal->findChild<QPushButton*>(c.button);
            pressed = button->text();
            button->click();
        });
        CQtUserInterface ui;
        QCOMPARE(ui.ChooseSlideShowDestination(), c.choice);
        QCOMPARE(caption, QStringLiteral("Choose Slide Show Destination"));
        QCOMPARE(pressed, c.caption);
        QCOMPARE(explanation.count(QStringLiteral("\n\n")), 2);
        QVERIFY(explanation.startsWith(QStringLiteral("Choose the Slide Show destination")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!aboutAlive, "loading the destination window closes the About window");
    }
}

void ServiceWindowsTest::FileTextAndPreferenceDialogsFollowCore() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    CQtUserInterface ui;
    QTemporaryDir folder;
    const std::string initial = (folder.path() + "/Talk.pdb").toStdString();
    QStringList filters;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QString title;
    guitest::OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        filters = dialog->nameFilters();
        mode = dialog->acceptMode();
        title = dialog->windowTitle();
        dialog->reject();
    });
    QCOMPARE(ui.ChooseFile(DescribeFileDialog(FileDialogKind::Export, initial)), std::string());
    QCOMPARE(title, QStringLiteral("Export"));
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QVERIFY2(filters.contains(QStringLiteral("Trovique for Palm files (*.pdb)")),
             qPrintable(filters.join('|')));

    guitest::OnNextModal([](QWidget* modal) {
        auto* entry = modal->findChild<QLineEdit*>(QStringLiteral("txtEntry"));
        QCOMPARE(entry->echoMode(), QLineEdit::Password);
        QCOMPARE(entry->maxLength(), 8);
        entry->setText(QStringLiteral("s\u00e9same"));
        QMetaObject::invokeMethod(modal, "accept");
    });
    QCOMPARE(ui.AskText({"Enter Password", "Password:", "", true, 8}),
             std::optional<std::string>("s\xc3\xa9same"));

    SlideShowPreferences locked{"pw", "pw", true, false, false};
    guitest::OnNextModal([](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("Settings for Dictionary"));
        QVERIFY(modal->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->isReadOnly());
        modal->findChild<QCheckBox*>(QStringLiteral("chkCopyable"))->setChecked(true);
        QMetaObject::invokeMethod(modal, "accept");
    });
    SlideShowPreferences expected = locked;
    expected.copyable = true;
    QCOMPARE(ui.EditPreferences(locked), std::optional<SlideShowPreferences>(expected));
    guitest::OnNextModal([](QWidget* modal) { QMetaObject::invokeMethod(modal, "reject"); });
    QVERIFY(!ui.EditPreferences(locked).has_value());
}

void ServiceWindowsTest::TheHourglassDisablesTheCommandWindow() {
    QWidget main;
    {
        CQtUserInterface ui;
        ui.SetCommandWindow(&main);
        {
            CBusyScope busy(ui, "Reading");
            QVERIFY(!main.isEnabled());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(main.isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        ui.SetPointer(MousePointer::Hourglass);
    }
    // An interface that goes while busy gives everything back.
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(ServiceWindowsTest)
#include "ServiceWindowsTest.moc"

// The message boxes of ReportMessage: the buttons and icon of each style, the answers, and that
// no top-most window hides a box.

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "gui/ui/MessageBox.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/ui/TopMost.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

class MessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void StylesGiveTheirButtonsAndIcon();
    void EachButtonGivesItsAnswerAndEscapeTheSafeOne();
    void ABoxIsNeverHiddenBehindTheSplash();
};

void MessageBoxTest::StylesGiveTheirButtonsAndIcon() {
    using B = QMessageBox;
    const struct {
        int style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton escape;
    } cases[] = {
        {kStyleCritical, B::Ok, B::Critical, B::Ok},
        {kStyleExclamation, B::Ok, B::Warning, B::Ok},
        {kStyleInformation, B::Ok, B::Information, B::Ok},
        {kButtonsOkCancel, B::Ok | B::Cancel, B::NoIcon, B::Cancel},
        {kStyleYesNo, B::Yes | B::No, B::Question, B::No},
        {kStyleYesNoWarning, B::Yes | B::No, B::Warning, B::No},
        {kStyleYesNoCancel, B::Yes | B::No | B::Cancel, B::Question, B::Cancel},
    };
    for (const auto& c : cases) {
        QMessageBox box;
        DressMessageBox(box, c.style);
        QCOMPARE(box.standardButtons(), c.buttons);
        QCOMPARE(box.icon(), c.icon);
        QCOMPARE(box.escapeButton(), box.button(c.escape));
    }
}

void MessageBoxTest::EachButtonGivesItsAnswerAndEscapeTheSafeOne() {
    const struct {
        int style;
        QMessageBox::StandardButton press;  // NoButton: Escape
        int answer;
    } cases[] = {
        {kStyleInformation, QMessageBox::Ok, kAnswerOk},
        {kButtonsOkCancel, QMessageBox::Cancel, kAnswerCancel},
        {kStyleYesNo, QMessageBox::Yes, kAnswerYes},
        {kStyleYesNo, QMessageBox::No, kAnswerNo},
        {kStyleYesNo, QMessageBox::NoButton, kAnswerNo},
        {kStyleYesNoCancel, QMessageBox::NoButton, kAnswerCancel},
        {kStyleYesNoCancel, QMessageBox::No, kAnswerNo},
    };
    for (const auto& c : cases) {
        QString title;
        guitest::OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            if (c.press == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.press)->click();
            }
        });
        CQtUserInterface ui;
        QCOMPARE(ReportMessage(ui, "Replace existing file?", c.style), c.answer);
        QCOMPARE(title, QStringLiteral("Norvane Trovique"));
    }
}

void MessageBoxTest::ABoxIsNeverHiddenBehindTheSplash() {
    CQtUserInterface ui;
    QWidget splash;
    splash.show();
    SetTopMost(splash, true);
    ui.SetSplash(&splash);
    ui.SetPointer(MousePointer::Hourglass);
    bool splashTopMostMeanwhile = true;
    Qt::CursorShape cursorMeanwhile = Qt::WaitCursor;
    guitest::OnNextModal([&](QWidget* modal) {
        splashTopMostMeanwhile = IsTopMost(splash);
        cursorMeanwhile = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                         : Qt::ArrowCursor;
        static_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    ReportMessage(ui, "An error has occurred: x", kStyleInformation);
    QVERIFY(!splashTopMostMeanwhile);
    QCOMPARE(cursorMeanwhile, Qt::ArrowCursor);
    QVERIFY(IsTopMost(splash));
    QVERIFY(splash.isVisible());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.SetPointer(MousePointer::Default);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"

// The message boxes of ReportMessage: the buttons and icon of each style, the answers, and that
// no top-most window hides a box.

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
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
    // Windows style numbers: a button set (0, 1, 3, 4) plus an icon (16, 32, 48, 64).
    const struct {
        int windowsStyle;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton escape;
    } cases[] = {
        {16, B::Ok, B::Critical, B::Ok},
        {48, B::Ok, B::Warning, B::Ok},
        {64, B::Ok, B::Information, B::Ok},
        {1, B::Ok | B::Cancel, B::NoIcon, B::Cancel},
        {33, B::Ok | B::Cancel, B::Question, B::Cancel},
        {36, B::Yes | B::No, B::Question, B::No},
        {52, B::Yes | B::No, B::Warning, B::No},
        {35, B::Yes | B::No | B::Cancel, B::Question, B::Cancel},
        {19, B::Yes | B::No | B::Cancel, B::Critical, B::Cancel},
    };
    for (const auto& c : cases) {
        QMessageBox box;
        DressMessageBox(box, MessageStyle::FromWindows(c.windowsStyle));
        QCOMPARE(box.standardButtons(), c.buttons);
        QCOMPARE(box.icon(), c.icon);
        QCOMPARE(box.escapeButton(), box.button(c.escape));
    }
}

void MessageBoxTest::EachButtonGivesItsAnswerAndEscapeTheSafeOne() {
    const struct {
        MessageStyle style;
        QMessageBox::StandardButton press;  // NoButton: Escape
        MessageAnswer answer;
    } cases[] = {
        {kStyleInformation, QMessageBox::Ok, MessageAnswer::Ok},
        {MessageStyle::FromWindows(1), QMessageBox::Cancel, MessageAnswer::Cancel},
        {kStyleYesNo, QMessageBox::Yes, MessageAnswer::Yes},
        {kStyleYesNo, QMessageBox::No, MessageAnswer::No},
        {kStyleYesNo, QMessageBox::NoButton, MessageAnswer::No},
        {kStyleYesNoCancel, QMessageBox::NoButton, MessageAnswer::Cancel},
        {kStyleYesNoCancel, QMessageBox::No, MessageAnswer::No},
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

#include "support/Windows.h"
#include "ui/FrmMain.h"
#include "ui/FrmNagScreen2.h"
#include "ui/platform/DesktopServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace qx::test {
namespace {

struct SeenBox {
    QString title;
    QString role;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QWidget *owner = nullptr;
    bool onTop = false;
};

// Looks at the message box once it is up, then presses the given button.
void answerNextBox(SeenBox *seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->title = box->windowTitle();
        seen->role = box->windowRole();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            seen->buttons.append(box->standardButton(button));
        seen->owner = box->parentWidget();
        seen->onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (QAbstractButton *button = box->button(press))
            button->click();
        else
            box->reject();
    });
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestQtMessageBoxes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void okBoxWithTheInformationIcon()
    {
        SeenBox seen;
        answerNextBox(&seen, QMessageBox::Ok);
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(QStringLiteral("Application is already running"), MessageIcon::Information,
                            MessageButtons::Ok),
                 MessageAnswer::Ok);
        QCOMPARE(seen.title, QStringLiteral("QX Friendship Compatibility Test"));
        QCOMPARE(seen.role, QStringLiteral("message-box"));
        QCOMPARE(seen.text, QStringLiteral("Application is already running"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    }

    void criticalIcon()
    {
        SeenBox seen;
        answerNextBox(&seen, QMessageBox::Ok);
        QtMessageBoxes boxes;
        boxes.show(QStringLiteral("x\r\ny"), MessageIcon::Critical, MessageButtons::Ok);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.text, QStringLiteral("x\ny")); // one line break
    }

    void yesNoQuestionWithALoneCarriageReturnShownOnTwoLines()
    {
        QtMessageBoxes boxes;
        const QString text = QStringLiteral(
            "There maybe an update to this software available\rDo you want to check for an update?");
        SeenBox seen;
        answerNextBox(&seen, QMessageBox::Yes);
        QCOMPARE(boxes.show(text, MessageIcon::Information, MessageButtons::YesNo), MessageAnswer::Yes);
        QCOMPARE(seen.text, QStringLiteral("There maybe an update to this software available\n"
                                           "Do you want to check for an update?"));
        QCOMPARE(seen.buttons.size(), 2);
        QVERIFY(seen.buttons.contains(QMessageBox::Yes));
        QVERIFY(seen.buttons.contains(QMessageBox::No));

        SeenBox again;
        answerNextBox(&again, QMessageBox::No);
        QCOMPARE(boxes.show(text, MessageIcon::Information, MessageButtons::YesNo), MessageAnswer::No);

        // Enter answers Yes.
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(boxes.show(text, MessageIcon::Information, MessageButtons::YesNo), MessageAnswer::Yes);
    }

    void closingTheQuestionAnswersNo()
    {
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(QStringLiteral("?"), MessageIcon::Information, MessageButtons::YesNo), MessageAnswer::No);
    }

    // A box belongs to the program's window on screen, also while another
    // program has the focus; it stays above other programs only with a window
    // that does, or with no window of the program under it.
    void boxBelongsToTheWindowOnScreen_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("no window yet") << QString() << true;
        QTest::newRow("main window") << QStringLiteral("main window") << false;
        QTest::newRow("exit screen") << QStringLiteral("exit screen") << true;
        QTest::newRow("main window loaded, never shown") << QStringLiteral("hidden main window") << true;
    }

    void boxBelongsToTheWindowOnScreen()
    {
        QFETCH(QString, shown);
        QFETCH(bool, onTop);
        QWidget *window = nullptr;
        if (shown.endsWith(QLatin1String("main window")))
            window = Forms::get<FrmMain>();
        else if (shown == QLatin1String("exit screen"))
            window = Forms::get<FrmNagScreen2>();
        if (shown.startsWith(QLatin1String("hidden")))
            window = nullptr; // loaded, but no owner for a box
        else if (window) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        QApplication::setActiveWindow(nullptr);
        SeenBox seen;
        answerNextBox(&seen, QMessageBox::Ok);
        QtMessageBoxes().show(QStringLiteral("x"), MessageIcon::Information, MessageButtons::Ok);
        QCOMPARE(seen.owner, window);
        QCOMPARE(seen.onTop, onTop);
        unloadAllWindows();
    }

    // The end of the program takes the box down without an answer. (Last:
    // no event loop runs in this process after QCoreApplication::exit().)
    void boxTakenDownByTheEndIsUnanswered()
    {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(QStringLiteral("?"), MessageIcon::Information, MessageButtons::YesNo),
                 MessageAnswer::Unanswered);
    }
};

QTEST_MAIN(TestQtMessageBoxes)
#include "tst_qtmessageboxes.moc"

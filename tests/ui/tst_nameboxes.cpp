// The name boxes of the main window: what typing, pasting and dropping leave
// in them, and the message for each refused key.

#include "support/MainWindowSteps.h"
#include "support/TestPlatform.h"
#include "ui/DesktopApplication.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include <memory>

using namespace qx;
using namespace qx::test;

class TestNameBoxes : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;
    FrmMain *m_main = nullptr;

    QLineEdit *nameBox(const char *name) const { return control<QLineEdit>(m_main, name); }
    int refusals() const
    {
        int count = 0;
        for (const RecordedMessage &message : services->messages.messages) {
            if (message.text == QStringLiteral("Please Enter Only Letters !")
                && message.icon == MessageIcon::Information && message.buttons == MessageButtons::Ok)
                ++count;
        }
        return count;
    }

    // Picks an item of the box's context menu by its caption, as the user
    // does with the mouse; false when the item is greyed out.
    static bool chooseFromContextMenu(QLineEdit *box, const QString &item)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, box->rect().center(), box->mapToGlobal(box->rect().center()));
        QCoreApplication::sendEvent(box, &event);
        QMenu *menu = nullptr;
        for (QMenu *shown : box->findChildren<QMenu *>())
            if (shown->isVisible())
                menu = shown;
        if (!menu)
            return false;
        bool enabled = false;
        for (QAction *action : menu->actions()) {
            if (action->text() == item && action->isEnabled()) {
                action->trigger();
                enabled = true;
            }
        }
        menu->close();
        return enabled;
    }

    // Drops text on the box at the point given, as from another program;
    // true when the box takes it, and tells the program it came from that
    // it was copied.
    static bool dropText(QLineEdit *box, const QString &text, QPoint at)
    {
        QMimeData data;
        data.setText(text);
        return dropData(box, data, at);
    }
    static bool dropData(QLineEdit *box, const QMimeData &data, QPoint at)
    {
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.setDropAction(Qt::IgnoreAction);
        QCoreApplication::sendEvent(box, &drop);
        return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }

    void init()
    {
        services = std::make_unique<TestPlatform>();
        m_main = mainWindow();
    }

    void cleanup()
    {
        unloadAllWindows();
        services.reset();
    }

    void typing_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");

        for (const char *box : {"txtName", "txtFriendName"}) {
            const auto row = [box](const char *what, const char *typed, const char *shown, int messages) {
                QTest::addRow("%s: %s", box, what) << QByteArray(box) << QString(typed) << QString(shown) << messages;
            };
            row("lower case becomes capitals", "jo", "JO", 0);
            row("capitals stay", "ANNA", "ANNA", 0);
            row("hyphen refused once", "a-b", "AB", 1);
            row("blanks alone pass", "   ", "   ", 0);
            row("blank between names", "mary ann", "MARY ANN", 0);
            row("a digit is refused", "5", "", 1);
            row("one message per refused key", "o'neil 2", "ONEIL ", 2);
            row("the characters around the letters", "@[`{", "", 4);
            row("the first and last letters", "azAZ", "AZAZ", 0);
            // keyClicks types '\b' as Backspace, which edits and says nothing.
            row("Backspace edits", "jon\b", "JO", 0);
        }
    }

    void typing()
    {
        QFETCH(QByteArray, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, messages);

        QTest::keyClicks(nameBox(box.constData()), typed);

        QCOMPARE(nameBox(box.constData())->text(), shown);
        QCOMPARE(refusals(), messages);
        QCOMPARE(services->messages.messages.size(), messages);
    }

    void lettersOutsideAtoZAreRefused()
    {
        QLineEdit *box = nameBox("txtName");
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Eacute, QStringLiteral("\u00e9"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("\u0416"), Qt::NoModifier);
        QCOMPARE(box->text(), QString());
        QCOMPARE(refusals(), 2);
    }

    // Ctrl combinations type control characters, which the filter refuses;
    // pasting by keyboard types what Ctrl+V types (22), so nothing is pasted.
    void keysThatTypeControlCharactersAreRefused_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+Alt+V") << int(Qt::Key_V) << (Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("Ctrl+[") << int(Qt::Key_BracketLeft) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+\\") << int(Qt::Key_Backslash) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+]") << int(Qt::Key_BracketRight) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+6") << int(Qt::Key_6) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+-") << int(Qt::Key_Minus) << Qt::KeyboardModifiers(Qt::ControlModifier);
        const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+Shift+A") << int(Qt::Key_A) << ctrlShift;
        QTest::newRow("Ctrl+Shift+6 (Ctrl+^)") << int(Qt::Key_AsciiCircum) << ctrlShift;
        QTest::newRow("Ctrl+Shift+- (Ctrl+_)") << int(Qt::Key_Underscore) << ctrlShift;
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier);
    }

    void keysThatTypeControlCharactersAreRefused()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QGuiApplication::clipboard()->setText(QStringLiteral("smith"));
        QLineEdit *box = nameBox("txtFriendName");
        QTest::keyClicks(box, "al");
        box->selectAll();
        QTest::keyClick(box, Qt::Key(key), modifiers);
        QCOMPARE(box->text(), QStringLiteral("AL"));
        QCOMPARE(refusals(), 1);
    }

    // Ctrl+M is Enter: the window takes it as a click on Exit.
    void ctrlMIsEnter()
    {
        QLineEdit *box = nameBox("txtName");
        QTest::keyClick(box, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(services->messages.messages.isEmpty());
        QVERIFY(!Forms::isLoaded(m_main));
    }

    // The context menu pastes through the name filter and names no Ctrl
    // shortcut, as the box refuses them all.
    void contextMenuNamesNoShortcuts()
    {
        QLineEdit *box = nameBox("txtName");
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (const QAction *action : menu->actions())
                QVERIFY2(!action->text().contains(QLatin1Char('\t')), qPrintable(action->text()));
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, box->rect().center(),
                                box->mapToGlobal(box->rect().center()));
        QCoreApplication::sendEvent(box, &event);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_VERIFY(box->findChildren<QMenu *>().isEmpty()); // and is gone
    }

    // A name holds 32,767 characters, far beyond any name; what comes beyond
    // them is cut off, so a paste of megabytes cannot hang the program.
    void aNameHoldsAtMost32767Characters()
    {
        constexpr int Cap = 32767;
        const QString tenMegabytes = QString(Cap, QLatin1Char('a')) + QString(10 * 1024 * 1024 - Cap, QLatin1Char('z'));
        QGuiApplication::clipboard()->setText(tenMegabytes);

        QLineEdit *box = nameBox("txtName");
        box->paste();
        QCOMPARE(box->text().size(), Cap);
        QCOMPARE(box->text(), QString(Cap, QLatin1Char('A')));
        QTest::keyClicks(box, "b");
        QCOMPARE(box->text(), QString(Cap, QLatin1Char('A')));

        QLineEdit *friendBox = nameBox("txtFriendName");
        QTest::keyClicks(friendBox, "ann");
        friendBox->paste();
        QCOMPARE(friendBox->text(), QStringLiteral("ANN") + QString(Cap - 3, QLatin1Char('A')));

        friendBox->setText(QString(40000, QLatin1Char('B')));
        QCOMPARE(friendBox->text(), QString(Cap, QLatin1Char('B')));
        QVERIFY(services->messages.messages.isEmpty());
    }

    // Paste through the context menu, middle-click paste and drag and drop
    // all insert text, and the program sets it: it is cut down to capitals
    // and blanks.
    void insertedTextKeepsCapitalsAndBlanksOnly()
    {
        QLineEdit *box = nameBox("txtName");
        box->insert(QStringLiteral("a-b 1c"));
        QCOMPARE(box->text(), QStringLiteral("AB C"));
        box->setText(QStringLiteral("jean-luc"));
        QCOMPARE(box->text(), QStringLiteral("JEANLUC"));

        QLineEdit *friendBox = nameBox("txtFriendName");
        QGuiApplication::clipboard()->setText(QStringLiteral("a-z 1@A`Z{"));
        friendBox->paste();
        QCOMPARE(friendBox->text(), QStringLiteral("AZ AZ"));
        QVERIFY(services->messages.messages.isEmpty());
    }

    void pasteInTheMiddleKeepsTheCursorInPlace()
    {
        QLineEdit *box = nameBox("txtName");
        QTest::keyClicks(box, "annlee");
        box->setCursorPosition(3);
        box->insert(QStringLiteral("-2 "));
        QCOMPARE(box->text(), QStringLiteral("ANN LEE"));
        QCOMPARE(box->cursorPosition(), 4);
        QTest::keyClicks(box, "x");
        QCOMPARE(box->text(), QStringLiteral("ANN XLEE"));
    }

    void droppedTextKeepsCapitalsAndBlanksOnly()
    {
        QLineEdit *box = nameBox("txtFriendName");
        QVERIFY(dropText(box, QStringLiteral("o'hara 7"), box->rect().center()));
        QCOMPARE(box->text(), QStringLiteral("OHARA "));
        // What holds no text is not taken.
        QMimeData picture;
        picture.setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
        QVERIFY(!dropData(box, picture, box->rect().center()));
        QCOMPARE(box->text(), QStringLiteral("OHARA "));
    }

    // The context menu's Undo takes back a paste or a drop whole, whatever
    // the filter made of it, and then what was typed before; Redo brings
    // them back in turn, and what is typed after them is a step of its own.
    void undoTakesBackAPasteOrADropWhole_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("shown"); // what the box shows of it
        const QString tooLong(40000, QLatin1Char('a'));
        for (const bool drop : {false, true}) {
            const char *how = drop ? "drop" : "paste";
            QTest::addRow("%s in capitals", how) << drop << QStringLiteral("cd") << QStringLiteral("CD");
            QTest::addRow("%s the filter leaves alone", how) << drop << QStringLiteral("KL") << QStringLiteral("KL");
            QTest::addRow("%s with characters left out", how)
                << drop << QStringLiteral("o'h 1a") << QStringLiteral("OH A");
            QTest::addRow("%s cut off at the length of a name", how)
                << drop << tooLong << QString(32767 - 2, QLatin1Char('A'));
        }
    }

    void undoTakesBackAPasteOrADropWhole()
    {
        QFETCH(bool, drop);
        QFETCH(QString, inserted);
        QFETCH(QString, shown);
        QLineEdit *box = nameBox("txtName");
        QTest::keyClicks(box, "jo");
        if (drop) {
            QVERIFY(dropText(box, inserted, QPoint(box->width() - 4, box->height() / 2)));
        } else {
            QGuiApplication::clipboard()->setText(inserted);
            QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Paste")));
        }
        const QString afterInsert = QStringLiteral("JO") + shown;
        QCOMPARE(box->text(), afterInsert);
        // Typed after it, where the name has room left: a step of its own.
        if (afterInsert.size() < 32767) {
            QTest::keyClicks(box, "x");
            QCOMPARE(box->text(), afterInsert + QStringLiteral("X"));
            QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Undo")));
            QCOMPARE(box->text(), afterInsert);
        }

        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Undo")));
        QCOMPARE(box->text(), QStringLiteral("JO"));
        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Undo")));
        QCOMPARE(box->text(), QString());
        QVERIFY(!chooseFromContextMenu(box, QStringLiteral("&Undo")));
        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Redo")));
        QCOMPARE(box->text(), QStringLiteral("JO"));
        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Redo")));
        QCOMPARE(box->text(), afterInsert);
        QVERIFY(services->messages.messages.isEmpty());
    }

    // A paste over a selection replaces it; one into a box that other edits
    // have changed is a step of its own all the same.
    void undoAfterOtherEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("pasted"); // the box once "cd" is pasted
        QTest::addColumn<QString>("undone"); // then after Undo
        const auto row = [](const char *tag, const char *edit, const char *pasted, const char *undone) {
            QTest::newRow(tag) << QString(edit) << QString(pasted) << QString(undone);
        };
        row("the first letter selected", "select", "CDO", "JO");
        row("the first letter deleted", "delete", "CDO", "O");
        row("the last letter deleted", "delete last", "JCD", "J");
        row("everything cut", "cut", "CD", "");
    }

    void undoAfterOtherEdits()
    {
        QFETCH(QString, edit);
        QFETCH(QString, pasted);
        QFETCH(QString, undone);
        QLineEdit *box = nameBox("txtName");
        QTest::keyClicks(box, "jo");
        if (edit == QLatin1String("cut")) {
            box->selectAll();
            QVERIFY(chooseFromContextMenu(box, QStringLiteral("Cu&t")));
        } else {
            box->setSelection(edit == QLatin1String("delete last") ? 1 : 0, 1);
            if (edit.startsWith(QLatin1String("delete")))
                QTest::keyClick(box, Qt::Key_Delete);
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("cd"));
        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Paste")));
        QCOMPARE(box->text(), pasted);
        QVERIFY(chooseFromContextMenu(box, QStringLiteral("&Undo")));
        QCOMPARE(box->text(), undone);
    }

    // Keys that type no character keep their editing meaning; Alt combinations
    // that are nobody's access key type nothing and say nothing.
    void cursorKeysEditAndAltCombinationsTypeNothing()
    {
        QLineEdit *box = nameBox("txtName");
        QTest::keyClicks(box, "abc");
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_End);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Q, QStringLiteral("q"), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_1, QStringLiteral("1"), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Q, QStringLiteral("q"), Qt::MetaModifier);
        QTest::keyClicks(box, "d");
        QCOMPARE(box->text(), QStringLiteral("BCD"));
        QVERIFY(services->messages.messages.isEmpty());
    }
};

QTEST_MAIN(TestNameBoxes)
#include "tst_nameboxes.moc"

#pragma once

#include <QWidget>

#include <memory>

namespace qx {

class SingleInstanceGuard;

// The start-up controller: loaded first, never shown, unloaded first at the
// end. Its load step runs the start-up sequence; its unload step ends the
// program.
class StartupForm : public QWidget {
    Q_OBJECT

public:
    explicit StartupForm(QWidget *parent = nullptr);
    ~StartupForm() override;

    // The start-up sequence, each step with errors ignored: refuses a second
    // copy, randomizes the generator, runs the update reminder, shows the main
    // window, hides this form and draws the banner in front. False when this
    // copy has ended, because another one runs or because the program was
    // told to end while the reminder's question was up.
    bool Form_Load();

    // Draws 1 to 7 and brings the main window's co-brand banner (odd draws up
    // to 5) or full-brand banner (even draws) to the front; 7 changes nothing.
    void CoBrand_Randomize();

    // 0 until the banner draw, then 1 to 7.
    int intCoBrandRandomNumber = 0;

    // Where the single-instance lock lives; by default in the user's cache
    // folder, named after the executable and the machine (see
    // SingleInstanceGuard::defaultLockPath()).
    void setInstanceLockPath(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool refuseSecondCopy();
    // Runs from the event loop right after the main window's first paint:
    // only then does the date a start stores without asking reach the disk,
    // so that nothing waits for the disk before the user sees the window (an
    // answer to the reminder's question is on the disk already).
    void firstFramePainted();

    QString m_instanceLockPath;
    std::unique_ptr<SingleInstanceGuard> m_instanceGuard; // held for the whole run
};

} // namespace qx

#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>

class ModalInteraction;
class QLabel;
class QPushButton;

// The About window: credits and six links that light up under the mouse.
// Its only state is the look of the links: OK hides the window and keeps it,
// the close box discards it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(ModalInteraction& ui, const QString& programDirectory, QWidget* parent = nullptr);

    // Whether the close box closed the window, so that its owner drops it
    // and the next opening starts afresh.
    bool discarded() const { return m_discarded; }

    void cmdOK_Click();
    void lblHL_Click();
    void lblEmail_Click();
    void lblTovin_Click();
    void lblTeamOrvane_Click();
    void lblWebsite_Click();
    void lblHelp_Click();
    void ResetLinks();

    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblAbout1 = nullptr;
    QLabel* lblHL = nullptr;
    QLabel* lblAbout2 = nullptr;
    QLabel* lblTanks1 = nullptr;
    QLabel* lblTovin = nullptr;
    QLabel* lblThanks2 = nullptr;
    QLabel* lblTeamOrvane = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblEmail = nullptr;
    QLabel* lblWebsite = nullptr;
    QLabel* lblHelp = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void highlightLink(QLabel* link);
    void fitCaptions();
    void open(const QUrl& target);

    ModalInteraction& m_ui;
    QString m_programDirectory;
    QHash<QObject*, void (frmAbout::*)()> m_clicks;
    QPointer<QLabel> m_pressedLink;
    bool m_discarded = false;
};

#pragma once

#include "acts/TextSearch.h"
#include "widgets/SideWindow.h"

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QTextEdit;

// The CCAM reference viewer "CéCAM": the reference text "CCAM.RTF" in a
// read-only view, searched for a code, a word or a tariff from three fields
// whose drop-down lists are kept in text files between runs.
class CcamViewerWindow : public SideWindow
{
    Q_OBJECT
public:
    CcamViewerWindow();
    ~CcamViewerWindow() override;

    QMenuBar *menus = nullptr;
    QAction *closeAction = nullptr, *searchAction = nullptr;
    QComboBox *codeBox = nullptr, *textBox = nullptr, *tariffBox = nullptr;
    QPushButton *searchCodeButton = nullptr, *searchTextButton = nullptr, *searchTariffButton = nullptr;
    QLabel *columnsLabel = nullptr;
    QTextEdit *referenceView = nullptr;

    // "CCAM texte complet": the code in the code field, the viewer shown
    // (loading the reference when it was hidden), no search.
    void showForCode(const QString &code);

    void searchCode();
    void searchText();
    void searchTariff();
    void searchAgain();
    // The search fields' exit: the field's text added to its own list.
    void searchFieldLeft(QComboBox *combo);
    // Loads the reference text into the view; says so when it is missing.
    void loadReference();

    // Where the three lists are kept.
    static QString historyFile(int index);

protected:
    void saveAtClose() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(const QString &text);
    // True when the key was the window's (Enter, Escape).
    bool handleWindowKey(QObject *target, QKeyEvent *key);
    void loadHistories();
    QList<QComboBox *> combos() const;

    TextSearch m_search;
    QString m_shownText;        // the view's plain text, positions as the view's
};

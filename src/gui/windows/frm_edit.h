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
class Tform_EDIT : public SideWindow
{
    Q_OBJECT
public:
    Tform_EDIT();
    ~Tform_EDIT() override;

    QMenuBar *MainMenu1 = nullptr;
    QAction *Fermer1 = nullptr, *Chercher1 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr;
    QPushButton *btn_Search = nullptr, *btn_search_texte = nullptr, *btn_search_tarif = nullptr;
    QLabel *Label_Colonnes = nullptr;
    QTextEdit *JvRichEdit1 = nullptr;

    // "CCAM texte complet": the code in the code field, the viewer shown
    // (loading the reference when it was hidden), no search.
    void showForCode(const QString &code);

    void btn_SearchClick();
    void btn_search_texteClick();
    void btn_search_tarifClick();
    void Chercher1Click();
    // The search fields' exit: the field's text added to its own list.
    void ComboBoxExit(QComboBox *combo);
    // Loads the reference text into the view; says so when it is missing.
    void FormShow();

    // Where the three lists are kept.
    static QString historyFile(int index);

protected:
    void FormClose() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(const QString &text);
    // True when the key was the window's (Enter, Escape).
    bool FormKeyPress(QObject *target, QKeyEvent *key);
    void loadHistories();
    QList<QComboBox *> combos() const;

    TextSearch m_search;
    QString m_shownText;        // the view's plain text, positions as the view's
};

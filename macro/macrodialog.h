// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

#include "macro/macrocapturesession.h"
#include "macro/macrofilelist.h"
#include "macro/macrooptionspanel.h"
#include "macro/macrostepeditor.h"
#include "store/macrodb.h"

class QCheckBox;
class QListWidget;
class QStandardItemModel;
class QTableView;
class KestLabel;
class KestLineEdit;
class KestPushButton;
class KestTreeWidget;

namespace platform {
struct KeyHookEvent;
}

// The MACRO page: the list of named macros, the step table of the current one, the
// keyboard recorder, the mouse actions, the step edits, the macro options and the file
// operations. Every macro is a file of the macro database; the page edits one at a time.
// The page holds the buttons, the titles and the layout; the list, the steps, the options
// and the keyboard capture are parts of their own, and the page runs what involves more
// than one.
class MacroDialog final : public QWidget
{
    Q_OBJECT

public:
    explicit MacroDialog(QWidget *parent = nullptr);

    void setTexts();

    // What the page edits, for the main window and the tests.
    QString currentMacroName() const { return m_files->currentName(); }
    MacroStepEditor *stepEditor() const { return m_editor; }
    QStandardItemModel *stepModel() const { return m_editor->model(); }
    MacroSteps steps() const { return m_editor->steps(); }
    QTableView *stepView() const { return m_editor->view(); }
    QListWidget *macroList() const { return m_files->widget(); }
    KestTreeWidget *mouseTree() const { return m_editor->tree(); }
    KestLineEdit *nameEdit() const { return m_nameEdit; }
    KestLineEdit *defaultDelayEdit() const { return m_options->defaultDelayEdit(); }
    KestLineEdit *loopTimeEdit() const { return m_options->loopTimeEdit(); }
    KestLineEdit *delayEdit() const { return m_editor->delayEdit(); }
    KestLineEdit *moveEdit() const { return m_editor->moveEdit(); }
    KestLabel *stepCountLabel() const { return m_stepCountLabel; }
    KestLabel *statusLabel() const { return m_keyLabel; } // the key being recorded, notices
    MacroOptionsPanel *options() const { return m_options; }
    QCheckBox *recordDelayBox() const { return m_options->recordDelayBox(); }
    QCheckBox *defaultDelayBox() const { return m_options->defaultDelayBox(); }
    QCheckBox *loopBox(int loopType) const { return m_options->loopBox(loopType); }
    KestPushButton *button(const char *sourceText) const;
    bool isRecording() const { return m_session->isRecording(); }
    bool isEditingKey() const { return m_session->isEditingKey(); }
    DelayMode delayMode() const { return m_options->delayMode(); }
    int loopType() const { return m_options->loopType(); }

    // The file operations without their file dialogs.
    bool selectMacro(const QString &name);
    QStringList importMacroFiles(const QStringList &paths); // returns the names imported
    bool exportCurrentMacro(const QString &targetPath);
    QStringList exportCheckedMacros(const QString &folder); // returns the names exported
    void setMacroChecked(const QString &name, bool checked);
    // Stores a generated recoil macro under name (or name_1, name_2, ...) and opens it.
    QString storeGunset(const QString &name, const MacroSteps &steps);

    // The recorder's input, as the keyboard capture hands it over; true = swallowed.
    bool handleKeyEvent(const platform::KeyHookEvent &event);

signals:
    // While recording, the rest of the window keeps still.
    void recordingChanged(bool recording);

public slots:
    // Buttons.
    void startRecording();
    void recordAfter();
    void stopRecording();
    void toggleKeyEdit();
    void newMacro();
    void deleteMacro();
    void changeName();
    void saveMacroClicked();
    void cancelClicked();
    void importClicked();
    void exportClicked();
    void toggleBatchMode();
    void gunsetClicked();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void layoutControls();
    void applyStyle();
    void openMacro(const QString &name);
    void loadCurrentMacro();
    void showMacro(const Macro &macro);
    bool saveCurrentMacro();
    void saveIfChanged();
    void beginRecording(int insertRow);
    void endRecording();
    void updateControls();
    void updateStepCount();
    void warn(const QString &title, const QString &text);

    MacroFileList *m_files = nullptr;
    MacroStepEditor *m_editor = nullptr;
    MacroOptionsPanel *m_options = nullptr;
    MacroCaptureSession *m_session = nullptr;
    QList<QPair<const char *, KestPushButton *>> m_buttons;
    KestLabel *m_macroTitle = nullptr;
    KestLabel *m_nameTitle = nullptr;
    KestLabel *m_mouseTitle = nullptr;
    KestLabel *m_stepCountLabel = nullptr;
    KestLabel *m_delayLabel = nullptr;
    KestLabel *m_moveLabel = nullptr;
    KestLabel *m_keyLabel = nullptr;
    KestLineEdit *m_nameEdit = nullptr;
};

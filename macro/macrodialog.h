// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QModelIndex>
#include <QWidget>

#include "macro/macrorecorder.h"
#include "macro/macrosteptable.h"
#include "store/macrodb.h"

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QStandardItemModel;
class QTableView;
class QTreeWidgetItem;
class KestLabel;
class KestLineEdit;
class KestMacroItemDelegate;
class KestPushButton;
class KestTreeItem;
class KestTreeWidget;

namespace platform {
class KeyCapture;
struct KeyHookEvent;
}

// The MACRO page: the list of named macros, the step table of the current one, the
// keyboard recorder, the mouse actions, the step edits, the macro options and the file
// operations. Every macro is a file of the macro database; the page edits one at a time.
class MacroDialog final : public QWidget
{
    Q_OBJECT

public:
    explicit MacroDialog(QWidget *parent = nullptr);
    ~MacroDialog() override;

    void setTexts();

    // What the page edits, for the main window and the tests.
    QString currentMacroName() const { return m_currentName; }
    QStandardItemModel *stepModel() const { return m_model; }
    MacroSteps steps() const { return m_table.steps(); }
    QTableView *stepView() const { return m_view; }
    QListWidget *macroList() const { return m_macroList; }
    KestTreeWidget *mouseTree() const { return m_tree; }
    KestLineEdit *nameEdit() const { return m_nameEdit; }
    KestLineEdit *defaultDelayEdit() const { return m_defaultDelayEdit; }
    KestLineEdit *loopTimeEdit() const { return m_loopTimeEdit; }
    KestLineEdit *delayEdit() const { return m_delayEdit; }
    KestLineEdit *moveEdit() const { return m_moveEdit; }
    KestLabel *stepCountLabel() const { return m_stepCountLabel; }
    KestLabel *statusLabel() const { return m_keyLabel; } // the key being recorded, notices
    QCheckBox *recordDelayBox() const { return m_recordDelayBox; }
    QCheckBox *defaultDelayBox() const { return m_defaultDelayBox; }
    QCheckBox *loopBox(int loopType) const { return m_loopBoxes[loopType - 1]; }
    KestPushButton *button(const char *sourceText) const;
    bool isRecording() const { return m_recording; }
    bool isEditingKey() const { return m_editingKey; }
    int minDelay() const { return m_minDelay; }
    DelayMode delayMode() const;
    int loopType() const;

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
    void EnableButtonsSignal(bool bEnable);

public slots:
    void TreeitemClick(QTreeWidgetItem *item, int column);
    void itemClicked(QModelIndex index);
    void EditMoveChanged(QString text);
    void EditDelayChanged(QString text);
    void DefDelayChanged(QString text);
    void LoopTimeChanged(QString text);
    void CurrentChanged(QModelIndex current, QModelIndex previous);
    void mousemove_test();
    void KestItemPressed();
    void checkbtn_clicked();
    void SelectRow(int row);

    // Buttons.
    void startRecording();
    void recordAfter();
    void stopRecording();
    void toggleKeyEdit();
    void deleteSteps();
    void moveStepUp();
    void moveStepDown();
    void moveStepToTop();
    void moveStepToBottom();
    void clearSteps();
    void copySteps();
    void cutSteps();
    void pasteSteps();
    void insertDelay();
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
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Construction (macrodialog.cpp).
    void buildControls();
    KestPushButton *makeButton(const char *sourceText);
    void layoutControls();
    void applyStyle();
    void loadMacroList();
    void loadCurrentMacro();
    void showMacro(const Macro &macro);
    MacroSettings pageSettings() const;
    bool saveCurrentMacro();
    void saveIfChanged();
    void updateControls();
    void updateStepCount();
    void warn(const QString &title, const QString &text);

    // Recording and key editing (macrodialog_record.cpp).
    void beginRecording(int insertRow);
    void endCapture();
    void recordKey(const platform::KeyHookEvent &event);
    void editKey(const platform::KeyHookEvent &event);

    // Step edits (macrodialog_edit.cpp).
    int currentRow() const;
    QList<int> selectedRows() const;
    MacroAction actionDelayRow() const;
    void insertAfterCurrent(const MacroSteps &steps);
    void insertWithDelays(const MacroSteps &actions);
    void selectRows(int first, int count);
    void showStepEdits(int row);

    // The list (macrodialog_files.cpp).
    QListWidgetItem *listItem(const QString &name) const;
    QListWidgetItem *addListItem(const QString &name);
    bool macroExists(const QString &name) const;
    bool refuseName(const QString &name);
    bool refuseWhenFull();
    void openMacro(const QString &name);

    int m_minDelay;
    QString m_currentName;
    QStandardItemModel *m_model;
    MacroStepTable m_table;
    QTableView *m_view = nullptr;
    KestMacroItemDelegate *m_delegate = nullptr;
    QListWidget *m_macroList = nullptr;
    KestTreeWidget *m_tree = nullptr;
    KestLabel *m_macroTitle = nullptr;
    KestLabel *m_nameTitle = nullptr;
    KestLabel *m_mouseTitle = nullptr;
    KestLabel *m_optionTitle = nullptr;
    KestLabel *m_stepCountLabel = nullptr;
    KestLabel *m_delayLabel = nullptr;
    KestLabel *m_moveLabel = nullptr;
    KestLabel *m_keyLabel = nullptr;
    KestLineEdit *m_nameEdit = nullptr;
    KestLineEdit *m_delayEdit = nullptr;
    KestLineEdit *m_moveEdit = nullptr;
    KestLineEdit *m_defaultDelayEdit = nullptr;
    KestLineEdit *m_loopTimeEdit = nullptr;
    QCheckBox *m_recordDelayBox = nullptr;
    QCheckBox *m_defaultDelayBox = nullptr;
    QCheckBox *m_loopBoxes[3] = {};
    QList<QPair<const char *, KestPushButton *>> m_buttons;

    platform::KeyCapture *m_capture = nullptr;
    MacroRecorder m_recorder;
    QElapsedTimer m_clock;
    bool m_recording = false;
    int m_recordRow = 0; // where the next recorded rows go
    bool m_editingKey = false;
    quint32 m_lastEditCode = 0;
    quint32 m_lastEditFlags = 0;
    bool m_batchMode = false;
    MacroSteps m_clipboard;
    // The last valid values of the option edits, so an emptied edit saves what it held.
    int m_defaultDelayMs = 10;
    int m_loopTime = 1;
    bool m_loading = false;
};

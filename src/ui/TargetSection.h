#pragma once

#include "ui/PickTargetView.h"
#include "ui/ProcessListView.h"

#include <QCoreApplication>
#include <QIcon>

#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace morvane {

class LanguageTable;
class LinkLabel;

/// The editor's target: the picture to drag (`imgSelect`) with its read-out of the program,
/// id and window, the timed pick, and the list of running programs with its buttons.
class TargetSection final {
    // Its texts were translated as the form's.
    Q_DECLARE_TR_FUNCTIONS(morvane::TaskEditorForm)
public:
    /// What the section's controls ask for.
    struct Actions {
        std::function<void()> pickLater;
        std::function<void()> tutorial;
        std::function<void()> refresh;
        std::function<void()> closeNow;
        std::function<void(const QString& program, const QString& path, const QIcon& icon)>
            programChosen;
    };

    /// From the program name's right edge to its picture (250 twips).
    static constexpr int kIconGap = 17;
    /// Builds the widgets as children of `form`, into `root`.
    TargetSection(QVBoxLayout* root, QWidget* form, Actions actions);

    void Retranslate();
    void UpdateLan(const LanguageTable& lan);

    [[nodiscard]] QLabel& PickHandle() { return *m_imgSelect; }
    void SetPickable(bool pickable, const QString& why);
    /// The timed pick's button counts down the seconds left; 0 shows its caption again.
    void ShowPickCountdown(int secondsLeft);

    void SetTarget(const EditorTarget& target);
    [[nodiscard]] const EditorTarget& Target() const { return m_target; }
    [[nodiscard]] PickTargetView::ReadOut ShownReadOut() const;
    void ShowReadOut(const PickTargetView::ReadOut& readOut);
    void SetTargetIcon(const QIcon& icon);
    [[nodiscard]] const QIcon& TargetIcon() const { return m_targetIcon; }

    void SetPrograms(const QList<ProcessListView::Row>& rows);
    [[nodiscard]] QStringList Programs() const { return m_LV->Programs(); }
    [[nodiscard]] QString SelectedProgram() const { return m_LV->SelectedProgram(); }
    /// Selects row `row` (0-based) as the program's own choice and gives the list the focus.
    void SelectProgramRow(int row);
    void SetListEnabled(bool enabled);
    /// The list of running programs, the part of the editor that gives way when room is short.
    [[nodiscard]] QWidget& ProgramList() { return *m_LV; }

    /// While short, the list's buttons are hidden and the layout rests: the name then takes
    /// the width it needs and the picture follows it at the designed distance.
    void SetShort(bool isShort);
    [[nodiscard]] bool IsShort() const { return m_short; }
    /// The top of the list's caption, in the form.
    [[nodiscard]] int ListCaptionTop() const;

private:
    void PlaceTargetIcon();
    void ShowSelectCaption();

    EditorTarget m_target;
    QIcon m_targetIcon;
    bool m_short = false;
    QString m_dragCaption;    // the picker's caption in the chosen language
    QString m_notPickableWhy; // why windows cannot be picked; empty when they can
    int m_pickSecondsLeft = 0;
    QLabel* m_imgSelect = nullptr;
    QLabel* m_lblSelect = nullptr;
    LinkLabel* m_lblDrag = nullptr;
    std::array<QLabel*, 4> m_lblProcess{};
    QLabel* m_lblID = nullptr;
    QLabel* m_lblWindow = nullptr;
    QLabel* m_picIcon = nullptr;
    QLabel* m_lblPrograms = nullptr;
    ProcessListView* m_LV = nullptr;
    QToolButton* m_cmdRefresh = nullptr;
    QToolButton* m_cmdClose = nullptr;
    /// The keyboard's way to pick a window: the one under the pointer a moment later.
    QPushButton* m_cmdPickLater = nullptr;
};

} // namespace morvane

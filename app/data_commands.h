#pragma once
// The data menu's commands: each runs its dialog on the document's survey
// and, when the dialog changed it, records the change as one undo step
// named after the dialog (the recovery copy and the title follow). The
// dialogs know nothing of the steps. The caller repaints the view
// afterwards, however the dialog ended.

class QString;
class QWidget;

namespace vosk {

class CVoskDoc;
class GridDialog;
struct AutoCalcSwitches;
struct SettingsStore;

class DataCommands {
public:
    // `autoCalc` are the blow-count switches of the run, handed to every
    // opening of the blow-count dialog.
    DataCommands(CVoskDoc& doc, SettingsStore& settings, AutoCalcSwitches& autoCalc, QWidget* parent);

    // Heading and page footer, edited on copies of the heading fields.
    void OnHeading();
    void OnPageFooter();
    // The grid dialogs store into the survey themselves when confirmed.
    // `line` (from 1) is made current, as a click on it does.
    void OnBlowData(int line = 0);
    // The checks of the blow table and the converted N, with the relation
    // remembered in the profile.
    void OnCheckData();
    void OnJacicSoilName();
    void OnSoilName();

private:
    // Runs a dialog; a change of the survey becomes the step `name`.
    template <typename Run>
    void Edit(const QString& name, Run run);
    void RunGridDialog(GridDialog& dialog);

    CVoskDoc& doc_;
    SettingsStore& settings_;
    AutoCalcSwitches& autoCalc_;
    QWidget* parent_;
    // An open grid dialog's work in progress was kept as the recovery copy.
    bool keptInProgress_ = false;
};

}  // namespace vosk

#pragma once
// The scrolling view of the main window: the current page of the report
// sheet on screen, page turning, zoom of the on-screen page, and printing
// through the same drawing at the printer's resolution.

#include <QAbstractScrollArea>

class QPrinter;

namespace vosk {

class Canvas;
class SettingsServices;

class CVoskView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CVoskView(QWidget* parent = nullptr);

    // After the document changed: settings and heading, paper size, repaint.
    void OnInitialUpdate();
    void OnUpdate();
    // Draws the current page on `canvas` at its resolution.
    void OnDraw(Canvas& canvas);

    int CurrentPage() const;
    void OnPreviousPage();
    void OnNextPage();
    bool CanTurnPages() const;

    // Prints pages `from` to `to` on `printer`; the current page is the last
    // printed one afterwards. False when the printer could not be started.
    bool PrintPages(QPrinter& printer, int from, int to);
    // The print dialog, then printing.
    void OnFilePrint(QPrinter& printer);
    void OnFilePrintPreview(QPrinter& printer);

    // The data menu's heading and page-footer dialogs, on copies of the
    // heading fields; the sheet is repainted however they end.
    void OnHeading();
    void OnPageFooter();
    // The engineer-name and short-remark master lists.
    void OnEngineers();
    void OnRemarks();
    // The blow-count data dialog; the sheet is repainted however it ends.
    void OnBlowData();
    // The JACIC-compatible soil name dialog; the sheet is repainted however
    // it ends.
    void OnJacicSoilName();
    // The simple soil name dialog; the sheet is repainted however it ends.
    void OnSoilName();

    // The settings menu's dialogs and the guide. Layout, line style, digits
    // and Enter key store their copies and save Sys.ndx at once; the font
    // and set-up dialogs write their own files. The sheet is repainted
    // however they end.
    void OnLayout();
    void OnLineStyle();
    void OnDigits();
    void OnFontSet();
    void OnEnterKey();
    void OnSetup();
    void OnGuide();
    // The colour and font choosers and the editor start the dialogs use;
    // nullptr restores the system ones.
    void SetSettingsServices(SettingsServices* services);
    // Vertical resolution of the surface the sheet was last drawn on.
    int LastDpiY() const { return lastDpiY_; }

    // On-screen zoom in percent; never changes what is printed.
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    void ZoomToFitWidth();

signals:
    // The page or anything the enabling of commands depends on changed.
    void PageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnKeyDown(int key);
    void UpdateScrollSizes();
    int ScreenDpiX() const;
    int ScreenDpiY() const;

    int zoom_ = 100;
    int lastDpiY_ = 96;
    SettingsServices* services_ = nullptr;
};

}  // namespace vosk

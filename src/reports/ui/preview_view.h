#pragma once
// The preview control: the prepared pages one below the other on a grey ground, at a zoom in
// percent of their true size on the screen.  Only the pages that reach into the visible part
// are painted, so a report of hundreds of pages opens as fast as one of a single page.

#include "engine/display_list.h"
#include "reports/preview_layout.h"

#include <QAbstractScrollArea>

class PreviewView : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum class Fit { None, WholePage, PageWidth };

    explicit PreviewView(QWidget *parent = nullptr);

    // The report must outlive the view or be replaced first.
    void set_report(const PreparedReport *report);

    double zoom() const { return m_zoom; }
    // A zoom of its own; the fitting mode ends.
    void set_zoom(double percent);
    Fit fit() const { return m_fit; }
    // Fits the current page to the room left on screen, and keeps it fitted as the window
    // changes its size.
    void set_fit(Fit fit);

    int page_count() const;
    // The page at the top of the visible part (0-based); -1 without pages.
    int current_page() const;
    void go_to_page(int page);

    // The pages painted by the last paint event, for a look at what it cost.
    PageRange painted_pages() const { return m_painted; }

signals:
    void current_page_changed(int page);
    void zoom_changed(double percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double pixels_per_unit() const;
    void apply_fit();
    void relayout();

    const PreparedReport *m_report = nullptr;
    PreviewLayout m_layout;
    double m_zoom = 100.0;
    Fit m_fit = Fit::None;
    PageRange m_painted;
    int m_reported_page = -1;
};

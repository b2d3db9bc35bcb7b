#pragma once
// Captions taken from the display labels of the fields that data-aware controls show, so
// that a window's captions follow the label file.  A control bound to no field leaves the
// caption as it is.

class QLabel;
class QWidget;
class TDBCheckBox;

// The label's buddy control's field label.
void label_from_field(QLabel &label);
void check_caption_from_field(TDBCheckBox &check_box);
// The control's field label followed by ":".
void label_with_colon(QLabel &label, const QWidget &control);

#pragma once
// A window that holds nothing but a set's layout: sets are checked and formatted in
// it without the program around them (no menus, no engine, nothing shown).
#include <QWidget>

#include "layout/setform.h"

namespace mira {

class LayoutForm : public QWidget, public SetForm {
public:
    LayoutForm();

    QObject *layoutOwner() override { return this; }
    QWidget *layoutArea() const override { return area; }
    QSize storedLayoutSize() const override;
    FormValues storedValues() const override { return values; }
    void applyValues(const FormValues &read) override;
    int textHeight() const override;

private:
    QWidget *area;
    FormValues values;
};

} // namespace mira

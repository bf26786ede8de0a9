#pragma once
// Lets the user enter one number in three readings: a date and time, an
// interval of weeks, days, hours, minutes, seconds and milliseconds, and a
// price in 32nds and 256ths.
#include "plot/editor/kCustomEditorForm.h"

class TkComponentEditorEdit;
class TkComponentEditorButton;
class TkComponentEditorPageControl;
class TTabSheet;
class TDateTimePicker;

enum TkValueConverterPageType { kvcptInterval, kvcptDateTime, kvcptPrice32nd };

class TkValueConverterEditForm : public TkCustomEditorForm {
public:
    explicit TkValueConverterEditForm(TComponent* AOwner);

    // Fills every page from Value, silently.
    void SetValue(double Value);
    // The value edit's number.
    double GetValue() const;
    void ShowPage(TkValueConverterPageType Page);

    TkComponentEditorEdit* ValueEdit = nullptr;
    TkComponentEditorPageControl* PageControl = nullptr;
    TTabSheet* IntervalTabSheet = nullptr;
    TTabSheet* DateTimeTabSheet = nullptr;
    TTabSheet* Price32TabSheet = nullptr;
    TkComponentEditorEdit* WeeksEdit = nullptr;
    TkComponentEditorEdit* DaysEdit = nullptr;
    TkComponentEditorEdit* HoursEdit = nullptr;
    TkComponentEditorEdit* MinutesEdit = nullptr;
    TkComponentEditorEdit* SecondsEdit = nullptr;
    TkComponentEditorEdit* MilliSecondsEdit = nullptr;
    TkComponentEditorButton* SetAllToZeroButton = nullptr;
    TDateTimePicker* DatePicker = nullptr;
    TDateTimePicker* TimePicker = nullptr;
    TkComponentEditorButton* SetNowButton = nullptr;
    TkComponentEditorEdit* PriceIntegerEdit = nullptr;
    TkComponentEditorEdit* Price32ndsEdit = nullptr;
    TkComponentEditorEdit* Price256thsEdit = nullptr;
    TkComponentEditorButton* OKButton = nullptr;
    TkComponentEditorButton* CancelButton = nullptr;

private:
    void BuildIntervalPage();
    void BuildDateTimePage();
    void BuildPricePage();
    // The time of day the interval page shows, or false when a typed part
    // is out of its range.
    bool IntervalTime(double& Time) const;
    void TimeChange();
    void WeeksChange();
    void DateTimePickerChange();
    void Price32Change();
};

#include "ui/DateTimePicker.h"

#include <QDateTimeEdit>
#include <cmath>

#include "ui/Application.h"
#include "ui/ControlQt.h"

namespace {

QDateTimeEdit* PickerOf(const TControl* C)
{
    return static_cast<QDateTimeEdit*>(C->Widget());
}

const QDate Origin(1899, 12, 30);
// 0001-01-01 and the day after 9999-12-31.
constexpr double FirstDay = -693593;
constexpr double EndDay = 2958466;

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QDateTimeEdit>())
{
    QDateTimeEdit* Edit = PickerOf(this);
    Edit->setTimeSpec(Qt::LocalTime);
    Edit->setMinimumDate(QDate(1, 1, 1));
    Edit->setMaximumDate(QDate(9999, 12, 31));
    QObject::connect(Edit, &QDateTimeEdit::dateTimeChanged, [this](const QDateTime&) {
        if (!FSetting)
            CallGuarded(this, [this] { UserChanged(); });
    });
    SetKind(dtkDate);
    SetBounds(0, 0, 186, 21);
}

bool TDateTimePicker::CanShow(TDateTime Value)
{
    return Value >= FirstDay && Value < EndDay;
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    FKind = Value;
    PickerOf(this)->setDisplayFormat(Value == dtkDate ? "yyyy-MM-dd" : "HH:mm:ss");
    Show();
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
    FDateTime = Value;
    Show();
}

void TDateTimePicker::Show()
{
    if (!CanShow(FDateTime))
        return;
    const double days = std::trunc(FDateTime);
    const int msecs = static_cast<int>(std::lround(std::fabs(FDateTime - days) * MSecsPerDay)) % 86400000;
    FSetting = true;
    PickerOf(this)->setDateTime(
        QDateTime(Origin.addDays(static_cast<qint64>(days)), QTime::fromMSecsSinceStartOfDay(msecs), Qt::LocalTime));
    FSetting = false;
}

void TDateTimePicker::UserChanged()
{
    const QDateTime Shown = PickerOf(this)->dateTime();
    const double days = std::trunc(FDateTime);
    if (FKind == dtkDate)
        FDateTime = double(Origin.daysTo(Shown.date())) + (FDateTime - days);
    else
        FDateTime = days + Shown.time().msecsSinceStartOfDay() / MSecsPerDay;
    if (OnChange)
        OnChange(this);
}

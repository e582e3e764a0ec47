#pragma once

#include <QDateTime>
#include <QStringList>
#include <optional>

namespace platform {

// What is typed into a date (month, day, year), a time of day (hour, minute, second, AM/PM) or a
// duration (hours, minutes), part by part, and the program's one reading of it. Every text that
// reaches a date, time or duration field, from the keyboard or pasted or dropped, is typed here
// one character at a time.
//
// A digit replaces the part being typed, and a full part moves on by itself ("12092026" is
// 12/09/2026); "/", "-", ".", ",", ":" or a blank moves to the next part, except right after a
// part moved on by itself (it is the separator the user meant for that move); "a" or "p" sets AM
// or PM. An hour from 13 to 23 is on the 24-hour clock ("14:30" is 02:30 PM); hour 00 is none.
// Any other character types nothing.
//
// A duration's digits go on into the part being typed, which never moves on by itself, and only
// ":" or a blank moves from the hours to the minutes: "1:30", "1 30" and "90" (minutes alone,
// nothing typed after them) are each an hour and a half. A digit typed anew into the hours
// starts the whole duration anew.
class DateTimeTyping {
 public:
  enum class Kind { Date, Time, Duration };

  explicit DateTimeTyping(Kind kind);

  // Shows `value` (its date, or its time of day); the next digit starts the part anew.
  void Show(const QDateTime& value);
  // Types one character. True when the typing is complete: the year is full, or AM or PM set.
  bool Type(QChar typed);
  // Backspace: the last digit typed into the part, or the whole part when none was typed yet
  // (a duration's hours: the whole duration).
  void Erase();
  // Goes to another part (the first or the last where there is none), to type it anew.
  void MoveTo(int part);

  int Part() const { return part_; }
  int LastPart() const;
  int PartAt(int position) const;  // in Text()
  int Start(int part) const;       // in Text()
  int Length(int part) const;

  // The parts as typed: "02/30/2031", "12:05: 3 PM", "01/05/20".
  QString Text() const;
  // The date (at midnight) or time of day (on the zero date) the parts name; none while a part is
  // empty or out of range, the year has other than four digits, or the day is not in its month,
  // and for a duration.
  std::optional<QDateTime> Read() const;
  // Whether a date has a year of four digits from 0100 on, as a date typed must.
  static bool Holds(const QDate& date);

  // A duration: shows it (or nothing, for none), and reads the parts as whole minutes; none while
  // nothing is typed (Empty()), or the minutes are past 59.
  void ShowMinutes(std::optional<int> minutes);
  bool Empty() const;
  std::optional<int> Minutes() const;

 private:
  struct PartShape {
    int width;    // digits; 0 for AM/PM
    int highest;  // a part is full when no further digit could follow
  };
  const PartShape& Shape(int part) const;
  void MoveOn(int part, bool byItself);
  bool TypeDuration(QChar typed);

  Kind kind_;
  QStringList parts_;
  int part_ = 0;
  bool fresh_ = true;           // the next digit starts the part anew
  bool movedOnItself_ = false;  // the last part was left by filling it
};

}  // namespace platform

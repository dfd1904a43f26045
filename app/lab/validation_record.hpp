#pragma once

// The validation record a lab files, in French: who ran which Kestal on which
// table, what each check found, the verdict, a place to sign, and the whole
// table in annex for a reviewer to tick against the printed standard. Written
// once as sections, then as plain text or as one page to print.

#include <string>
#include <string_view>

#include "app/lab/validation_checks.hpp"

namespace kestal {

inline constexpr std::u16string_view kRecordTitle = u"Dossier de validation de Kestal";

// A moment of a run as the platform's clock gives it: the local date and time,
// and how far the time zone stands from UTC.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetMinutes = 0;  // east of UTC positive
};

// As every record writes it: "2026-12-07 14:05:09 (UTC+01:00)".
std::u16string RecordTime(const LocalTime& time);

// Where and by whom the record is made, as the caller's platform tells it.
struct RecordContext {
    std::u16string program;     // "kestal-convert 1.00"
    std::u16string revision;    // the sources it was built from; "" if the build did not know
    std::u16string system;      // system and processor
    std::u16string numbers;     // the number conventions in force, by name
    std::u16string when;        // date and time of the run, RecordTime
    std::u16string machine;     // "" where the platform does not tell
    std::u16string user;        // the same
    std::u16string producedBy;  // "" for a program; for the page, the page and its browser
};

// The record as text, its lines ended by '\n'.
std::u16string RecordText(const ValidationChecks& checks, const RecordContext& context,
                          const NumberText& numbers);

// The record as one self-contained HTML page meant to be printed on A4: pages
// numbered, the table on pages of its own, nothing loaded from elsewhere;
// well-formed XML too, for any tool a lab files it with.
std::u16string RecordHtml(const ValidationChecks& checks, const RecordContext& context,
                          const NumberText& numbers);

// The style sheet of that page, in ASCII: the one piece of it a page showing
// it must allow (its hash, under a Content-Security-Policy).
std::string_view RecordStyle();

}  // namespace kestal

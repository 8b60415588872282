// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/Coordinates.h"

#include <GeographicLib/Geodesic.hpp>

#include <array>
#include <vector>

namespace Coordinates {

namespace {

// Longer than any coordinate pair anyone writes; a pasted page is no coordinate.
constexpr qsizetype MaxTextLength = 120;
// Digits of a fraction that count; later ones only tell whether more follows.
constexpr int MaxFractionDigits = 10;

enum class Unit : std::uint8_t { Degrees, Minutes, Seconds, None };

enum class Kind : std::uint8_t { Number, Unit, Colon, Letter, Sign, PairSeparator, Blank };

struct Token {
    Kind kind = Kind::Blank;
    QString digits;        // Number: the digits before the decimal sign
    QString fraction;      // Number: the digits after it
    bool hasFraction = false;
    Unit unit = Unit::None; // Unit
    QChar letter;           // Letter: the hemisphere, upper case
    bool negative = false;  // Letter, Sign
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

std::optional<Unit> UnitOf(QChar c)
{
    switch (c.unicode()) {
    case u'°': case u'º': case u'˚':
        return Unit::Degrees;
    case u'\'': case u'′': case u'’': case u'´': case u'`':
        return Unit::Minutes;
    case u'"': case u'″': case u'”': case u'“':
        return Unit::Seconds;
    default:
        return std::nullopt;
    }
}

Token Make(Kind kind, bool negative = false, QChar letter = {})
{
    Token token;
    token.kind = kind;
    token.negative = negative;
    token.letter = letter;
    return token;
}

std::optional<std::vector<Token>> Tokens(QStringView text)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            Token number = Make(Kind::Number);
            while (i < text.size() && IsDigit(text[i]))
                number.digits += text[i++];
            // A point always starts the fraction; a comma only when a digit
            // follows at once, as "51.1,4.5" and "51.1, 4.5" are pairs.
            if (i + 1 < text.size() && (text[i] == u'.' || text[i] == u',') && IsDigit(text[i + 1])) {
                number.hasFraction = true;
                for (++i; i < text.size() && IsDigit(text[i]); ++i)
                    number.fraction += text[i];
            } else if (i < text.size() && text[i] == u'.') {
                return std::nullopt;
            }
            tokens.push_back(number);
            continue;
        }
        ++i;
        if (const std::optional<Unit> unit = UnitOf(c)) {
            // Two minute signs are the seconds sign.
            if (*unit == Unit::Minutes && !tokens.empty() && tokens.back().kind == Kind::Unit
                && tokens.back().unit == Unit::Minutes && UnitOf(text[i - 2]) == Unit::Minutes) {
                tokens.back().unit = Unit::Seconds;
                continue;
            }
            Token token = Make(Kind::Unit);
            token.unit = *unit;
            tokens.push_back(token);
            continue;
        }
        switch (c.toUpper().unicode()) {
        case u'N': case u'E': case u'O':
            tokens.push_back(Make(Kind::Letter, false, c.toUpper()));
            continue;
        case u'S': case u'W': case u'Z':
            tokens.push_back(Make(Kind::Letter, true, c.toUpper()));
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case u'+':
            tokens.push_back(Make(Kind::Sign));
            break;
        case u'-': case u'−':
            tokens.push_back(Make(Kind::Sign, true));
            break;
        case u':':
            tokens.push_back(Make(Kind::Colon));
            break;
        case u',': case u';': case u'/': case u'|': case u'\t': case u'\n': case u'\r':
            tokens.push_back(Make(Kind::PairSeparator));
            break;
        case u' ': case u'\u00a0':
            tokens.push_back(Make(Kind::Blank));
            break;
        default:
            return std::nullopt;
        }
    }
    return tokens;
}

struct Part {
    QString digits, fraction;
    bool hasFraction = false;
    Unit unit = Unit::None;
};

struct Value {
    std::vector<Part> parts;
    std::optional<bool> negative; // from a sign or a letter
    std::optional<Axis> axis;     // from a letter
    bool letterAfter = false;
    bool colonPending = false;

    // Whether another number still belongs to this value.
    bool open(Unit next) const
    {
        if (parts.empty() || colonPending)
            return true;
        const Part &last = parts.back();
        if (letterAfter || last.hasFraction || parts.size() == 3 || last.unit == Unit::Seconds)
            return false;
        // A unit that does not follow the last one starts the next value.
        return next == Unit::None || int(next) == int(parts.size());
    }
};

// The numbers of a text grouped into values, with their hemispheres.
std::optional<std::vector<Value>> Values(const std::vector<Token> &tokens)
{
    std::vector<Value> values(1);
    bool separated = false; // by a pair separator
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token &token = tokens[i];
        Value *current = &values.back();
        const auto startNext = [&] {
            values.emplace_back();
            current = &values.back();
        };
        switch (token.kind) {
        case Kind::Blank:
            break;
        case Kind::Number: {
            const Unit unit = i + 1 < tokens.size() && tokens[i + 1].kind == Kind::Unit ? tokens[i + 1].unit
                                                                                      : Unit::None;
            if (!current->open(unit))
                startNext();
            current->parts.push_back({token.digits, token.fraction, token.hasFraction, unit});
            current->colonPending = false;
            if (unit != Unit::None)
                ++i;
            break;
        }
        case Kind::Unit: // a unit without a number
            return std::nullopt;
        case Kind::Colon:
            if (current->parts.empty() || current->colonPending || !current->open(Unit::None))
                return std::nullopt;
            current->colonPending = true;
            break;
        case Kind::Letter: {
            const Axis axis = token.letter == u'N' || token.letter == u'S' || token.letter == u'Z' ? Axis::Latitude
                                                                                                 : Axis::Longitude;
            if (current->colonPending)
                return std::nullopt;
            if (!current->parts.empty() && !current->negative && !current->letterAfter) {
                current->letterAfter = true;
            } else {
                if (!current->parts.empty() || current->negative)
                    startNext();
            }
            current->negative = token.negative;
            current->axis = axis;
            break;
        }
        case Kind::Sign:
            if (current->colonPending)
                return std::nullopt;
            if (!current->parts.empty())
                startNext();
            else if (current->negative)
                return std::nullopt;
            current->negative = token.negative;
            break;
        case Kind::PairSeparator:
            if (separated || current->parts.empty() || current->colonPending)
                return std::nullopt;
            separated = true;
            startNext();
            break;
        }
    }
    for (const Value &value : values) {
        if (value.parts.empty() || value.colonPending)
            return std::nullopt;
    }
    if (values.size() > 2)
        return std::nullopt;
    return values;
}

std::optional<std::int64_t> Whole(const QString &digits)
{
    if (digits.size() > 7)
        return std::nullopt;
    return digits.toLongLong();
}

// A fraction of a unit in hundredths of a second, to the nearest.
std::int64_t FractionHundredths(const QString &fraction, std::int64_t perUnit)
{
    const QString counted = fraction.left(MaxFractionDigits);
    std::int64_t scale = 1;
    for (qsizetype i = 0; i < counted.size(); ++i)
        scale *= 10;
    const std::int64_t scaled = (counted.isEmpty() ? 0 : counted.toLongLong()) * perUnit;
    // What follows the counted digits cannot tip the rounding: the remainder
    // is even, so it never lies just below half.
    return scaled / scale + (2 * (scaled % scale) >= scale ? 1 : 0);
}

// A value in hundredths of a second, if its parts make a coordinate.
std::optional<std::int64_t> Hundredths(std::vector<Part> parts)
{
    static constexpr std::array<std::int64_t, 3> perUnit{HundredthsPerDegree, HundredthsPerMinute,
                                                         HundredthsPerSecond};
    // The compact DDMMSS.s and DDDMMSS.s.
    const bool compact = parts.size() == 1 && parts[0].unit == Unit::None
                      && (parts[0].digits.size() == 6 || parts[0].digits.size() == 7);
    if (compact) {
        const QString digits = parts[0].digits;
        const qsizetype n = digits.size();
        Part seconds = parts[0];
        seconds.digits = digits.right(2);
        Part degrees, minutes;
        degrees.digits = digits.left(n - 4);
        minutes.digits = digits.mid(n - 4, 2);
        parts = {degrees, minutes, seconds};
    }
    std::int64_t total = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const Part &part = parts[i];
        if (part.unit != Unit::None && int(part.unit) != int(i))
            return std::nullopt;
        if (part.digits.size() > (i == 0 ? 3 : 2))
            return std::nullopt;
        const std::optional<std::int64_t> whole = Whole(part.digits);
        if (!whole || (i > 0 && *whole >= 60))
            return std::nullopt;
        total += *whole * perUnit[i];
        if (part.hasFraction)
            total += FractionHundredths(part.fraction, perUnit[i]);
    }
    return total;
}

QString TwoDigits(std::int64_t n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

std::optional<Reading> Read(QStringView text, Axis row)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > MaxTextLength)
        return std::nullopt;
    const std::optional<std::vector<Token>> tokens = Tokens(text);
    if (!tokens)
        return std::nullopt;
    const std::optional<std::vector<Value>> values = Values(*tokens);
    if (!values)
        return std::nullopt;

    // Which value is which: the letters say, else the order, else the row.
    std::vector<Axis> axes;
    if (values->size() == 1) {
        axes.push_back(values->front().axis.value_or(row));
    } else {
        const std::optional<Axis> first = (*values)[0].axis, second = (*values)[1].axis;
        const auto other = [](Axis axis) { return axis == Axis::Latitude ? Axis::Longitude : Axis::Latitude; };
        const Axis a = first ? *first : second ? other(*second) : Axis::Latitude;
        const Axis b = second ? *second : other(a);
        if (a == b)
            return std::nullopt;
        axes = {a, b};
    }

    Reading reading;
    for (size_t i = 0; i < values->size(); ++i) {
        const Value &value = (*values)[i];
        const std::optional<std::int64_t> hundredths = Hundredths(value.parts);
        if (!hundredths)
            return std::nullopt;
        const std::int64_t limit = axes[i] == Axis::Latitude ? 90 * HundredthsPerDegree : 100 * HundredthsPerDegree - 1;
        if (*hundredths > limit)
            return std::nullopt;
        const Angle angle{*hundredths, value.negative.value_or(false) && *hundredths > 0, value.negative.has_value()};
        (axes[i] == Axis::Latitude ? reading.latitude : reading.longitude) = angle;
    }
    return reading;
}

QStringList Fields(const Angle &angle)
{
    const std::int64_t h = angle.hundredths;
    return {TwoDigits(h / HundredthsPerDegree), TwoDigits(h / HundredthsPerMinute % 60),
            TwoDigits(h / HundredthsPerSecond % 60), TwoDigits(h % 100)};
}

std::optional<Angle> FromFields(QStringView degrees, QStringView minutes, QStringView seconds, QStringView hundredths)
{
    std::int64_t total = 0;
    const std::array<std::pair<QStringView, std::int64_t>, 4> fields{
        {{degrees, HundredthsPerDegree},
         {minutes, HundredthsPerMinute},
         {seconds, HundredthsPerSecond},
         {hundredths, 1}}};
    for (const auto &[text, unit] : fields) {
        if (text.size() != 2 || !IsDigit(text[0]) || !IsDigit(text[1]))
            return std::nullopt;
        total += text.toInt() * unit;
    }
    return Angle{total, false, false};
}

double Degrees(const Angle &angle)
{
    const double degrees = double(angle.hundredths) / double(HundredthsPerDegree);
    return angle.negative ? -degrees : degrees;
}

QString Text(const Angle &angle, Axis axis)
{
    const QStringList f = Fields(angle);
    const QChar hemisphere = axis == Axis::Latitude ? (angle.negative ? u'S' : u'N') : (angle.negative ? u'W' : u'E');
    return QStringLiteral("%1°%2'%3,%4\" %5").arg(f[0], f[1], f[2], f[3]).arg(hemisphere);
}

double DistanceMetres(const Position &from, const Position &to)
{
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude, metres);
    return metres;
}

QString MapAddress(const Position &position)
{
    const QString latitude = QString::number(position.latitude, 'f', 6);
    const QString longitude = QString::number(position.longitude, 'f', 6);
    return QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=11/%1/%2").arg(latitude, longitude);
}

} // namespace Coordinates

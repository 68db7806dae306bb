#include "exchange/ContentLine.h"

namespace almanis {

namespace {
const QByteArrayView kQuotedPrintable("QUOTED-PRINTABLE");

// Calls `visit(key, value)` for each parameter, a bare one with an empty key.
template <typename Visit>
void forEachParameter(QByteArrayView parameters, Visit visit) {
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i <= parameters.size(); ++i) {
        if (i < parameters.size()) {
            if (parameters[i] == '"') {
                quoted = !quoted;
            }
            if (quoted || parameters[i] != ';') {
                continue;
            }
        }
        const QByteArrayView parameter = parameters.sliced(start, i - start);
        const qsizetype equals = parameter.indexOf('=');
        QByteArrayView value = equals < 0 ? parameter : parameter.sliced(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.sliced(1, value.size() - 2);
        }
        if (visit(equals < 0 ? QByteArrayView() : parameter.first(equals), value)) {
            return;
        }
        start = i + 1;
    }
}
}  // namespace

bool ContentLine::isNamed(QByteArrayView upperName) const {
    return name.compare(upperName, Qt::CaseInsensitive) == 0;
}

bool ContentLine::isBegin(QByteArrayView upperComponent) const {
    return isNamed("BEGIN") && value.trimmed().compare(upperComponent, Qt::CaseInsensitive) == 0;
}

bool ContentLine::isEnd(QByteArrayView upperComponent) const {
    return isNamed("END") && value.trimmed().compare(upperComponent, Qt::CaseInsensitive) == 0;
}

QByteArrayView ContentLine::parameter(QByteArrayView key) const {
    QByteArrayView found;
    forEachParameter(parameters, [&](QByteArrayView k, QByteArrayView v) {
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            found = v;
            return true;
        }
        return false;
    });
    return found;
}

bool ContentLine::isQuotedPrintable() const {
    bool found = false;
    forEachParameter(parameters, [&](QByteArrayView k, QByteArrayView v) {
        found = v.compare(kQuotedPrintable, Qt::CaseInsensitive) == 0 &&
                (k.isEmpty() || k.compare("ENCODING", Qt::CaseInsensitive) == 0);
        return found;
    });
    return found;
}

std::optional<ContentLine> parseContentLine(QByteArrayView line) {
    qsizetype nameEnd = 0;
    while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':') {
        ++nameEnd;
    }
    if (nameEnd == line.size()) {
        return std::nullopt;
    }
    ContentLine parts;
    parts.name = line.first(nameEnd);
    const qsizetype dot = parts.name.lastIndexOf('.');
    if (dot >= 0) {
        parts.name = parts.name.sliced(dot + 1);
    }
    if (parts.name.isEmpty()) {
        return std::nullopt;
    }
    qsizetype colon = nameEnd;
    bool quoted = false;
    while (colon < line.size() && (quoted || line[colon] != ':')) {
        if (line[colon] == '"') {
            quoted = !quoted;
        }
        ++colon;
    }
    if (colon == line.size()) {
        return std::nullopt;
    }
    if (colon > nameEnd) {
        parts.parameters = line.sliced(nameEnd + 1, colon - nameEnd - 1);
    }
    parts.value = line.sliced(colon + 1);
    return parts;
}

}  // namespace almanis

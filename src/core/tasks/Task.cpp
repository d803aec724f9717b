#include "core/tasks/Task.h"

#include <algorithm>

namespace morvane {

namespace {

template <typename Self> auto& FieldOf(Self& task, Field f) {
    switch (f) {
    case Field::Program:
        return task.program;
    case Field::Path:
        return task.path;
    case Field::Id:
        return task.id;
    case Field::CloseTime:
        return task.closeTime;
    case Field::Loop:
        return task.loop;
    case Field::Type:
        return task.type;
    case Field::After:
        break;
    }
    return task.after;
}

void AppendSanitised(std::string& out, std::string_view field) {
    for (char c : field) {
        out.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
    }
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const std::string& Task::Get(Field f) const {
    return FieldOf(*this, f);
}
std::string& Task::Get(Field f) {
    return FieldOf(*this, f);
}

const std::string* Task::BytesReadFor(Field f) const {
    for (const FieldBytes& kept : readFrom) {
        if (kept.field == f && kept.text == Get(f)) {
            return &kept.bytes;
        }
    }
    return nullptr;
}

bool Task::operator==(const Task& other) const {
    for (int f = 1; f <= kFieldCount; ++f) {
        if (Get(static_cast<Field>(f)) != other.Get(static_cast<Field>(f))) {
            return false;
        }
    }
    return true;
}

std::string TaskLineField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    AppendSanitised(out, field);
    return out;
}

std::string JoinTaskLine(const Task& task) {
    std::string line;
    line.reserve(task.program.size() + task.path.size() + task.id.size() + task.closeTime.size() +
                 task.loop.size() + task.type.size() + task.after.size() + 6);
    for (int f = 1; f <= kFieldCount; ++f) {
        if (f > 1) {
            line.push_back('\t');
        }
        AppendSanitised(line, task.Get(static_cast<Field>(f)));
    }
    return line;
}

Task SplitTaskLine(std::string_view line) {
    Task task;
    int field = 1;
    std::size_t start = 0;
    while (field <= kFieldCount) {
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        task.Get(static_cast<Field>(field)) = std::string(line.substr(start, end - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
        ++field;
    }
    return task;
}

std::string FileNameFromPath(std::string_view path) {
    const std::size_t sep = path.find_last_of("\\/");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

} // namespace morvane

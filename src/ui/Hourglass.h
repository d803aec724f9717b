#pragma once

namespace morvane {

/// Shows the wait cursor for as long as it lives. Instances nest: each one takes back only the
/// cursor it set, so an inner wait ending early does not hide an outer one.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    bool m_set = false;
};

} // namespace morvane

#pragma once

#include <stdexcept>
#include <string>

namespace lamira {

// A job file that does not follow the job format: names the field
// (for example "rows[3].width") and what is wrong with it.
class JobFormatError : public std::runtime_error
{
public:
    JobFormatError(std::string field, const std::string &problem)
        : std::runtime_error(field.empty() ? problem : field + ": " + problem),
          m_field(std::move(field))
    {
    }

    const std::string &field() const { return m_field; }

private:
    std::string m_field;
};

} // namespace lamira

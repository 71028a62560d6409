#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>

namespace tessaro::testing {

/// A small bank in a temporary folder for the shell's tests: five subjects, the plan row, one
/// question type per paper kind.
class TestBank {
public:
    TestBank();
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    void setPlan(int planMark, int planAmount, int planTime, const std::string& examDate = "");
    /// Today's log row (or any day's) with its answer count and study time.
    void setLog(const std::string& day, int answers, const std::string& studyTime);
    void exec(const std::string& sql);

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace tessaro::testing

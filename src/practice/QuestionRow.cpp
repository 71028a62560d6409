#include "QuestionRow.h"

#include "store/Database.h"

namespace tessaro::practice {

QuestionRow readQuestionRow(const store::Statement& st) {
    QuestionRow row;
    row.A1 = st.text(0);
    row.A2 = st.text(1);
    row.A2_1 = static_cast<int>(st.integer(2));
    for (int i = 0; i < 10; ++i)
        row.K[i] = st.text(3 + i);
    row.A10 = st.text(13);
    row.A13 = static_cast<int>(st.integer(14));
    row.A14 = st.text(15);
    row.E1 = st.optionalText(16);
    row.E2 = st.optionalText(17);
    row.E2_1 = st.text(18);
    row.E3 = static_cast<int>(st.integer(19));
    row.E4 = static_cast<int>(st.integer(20));
    row.F1 = static_cast<int>(st.integer(21));
    row.xx = static_cast<int>(st.integer(22));
    row.csbs = st.text(23);
    row.ecount = static_cast<int>(st.integer(24));
    return row;
}

} // namespace tessaro::practice

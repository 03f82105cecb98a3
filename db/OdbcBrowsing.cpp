#include "platform/OdbcApi.h"

#include <cstring>

#include "db/OdbcDatabase.h"
#include "db/OdbcValues.h"
#include "runtime/BytesOps.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"
#include "web/TextBetween.h"

namespace db {

using runtime::Text;
using runtime::TextArray;

namespace {

constexpr SQLSMALLINT kAnswerBuffer = 2048;

}  // namespace

Text OdbcDatabase::BrowseConnect(const Text& request) {
    if (!AllocateConnectionHandle()) {
        return Text();
    }
    // The buffer starts as spaces, so an answer the driver never wrote trims to empty text.
    Text answer = runtime::BlankText(kAnswerBuffer);
    SQLSMALLINT answerLength = 0;
    // SQL_NEED_DATA is the normal answer short of a complete connection: the code tells nothing.
    SQLBrowseConnect(connectionHandle, InText(request), SQL_NTS,
                     reinterpret_cast<SQLCHAR*>(answer.data()), kAnswerBuffer, &answerLength);
    answer.resize(strnlen(answer.c_str(), answer.size()));
    return runtime::TrimText(answer);
}

int OdbcDatabase::ListBrowseChoices(const Text& request, const Text& marker, TextArray& names) {
    const Text answer = BrowseConnect(request);
    if (answer.empty()) {
        return 0;
    }
    names.clear();
    if (runtime::FindText(answer, marker, std::nullopt, false) == runtime::kNotFound) {
        return 0;
    }
    // The choices stand in the answer's first brace group, whatever keyword they belong to.
    names = runtime::SplitText(web::TextBetween(answer, "={", "}"), Text(","));
    return static_cast<int>(names.size());
}

int OdbcDatabase::ListServers(TextArray& names) {
    return ListBrowseChoices("Driver={SQL Server}", "SERVER:", names);
}

int OdbcDatabase::ListDatabases(const Text& server, const Text& login, const Text& password,
                                TextArray& names) {
    return ListBrowseChoices(
        "Driver={SQL Server};SERVER=" + server + ";UID=" + login + ";PWD=" + password, "DATABASE",
        names);
}

}  // namespace db

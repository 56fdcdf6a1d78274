#include "app/SocketFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

void makeFolder(const QString &path, mode_t mode)
{
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

struct FolderCase
{
    const char *name;
    // Puts whatever is to be found at `path` (inside a fresh folder).
    std::function<void(const QString &path, const QString &scratch)> arrange;
    bool isOurs;
    bool accepted;
    mode_t modeAfter; // 0: not checked
};

class SocketFolderClaim : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SocketFolderClaim, TakesOnlyAPrivateFolderOfThisUsers)
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("orvane-run"));
    GetParam().arrange(path, scratch.path());
    const std::optional<QString> refusal = SocketFolder::refusal({path, GetParam().isOurs});
    EXPECT_EQ(!refusal, GetParam().accepted) << refusal.value_or(QString()).toStdString();
    if (GetParam().modeAfter != 0)
        EXPECT_EQ(modeOf(path), GetParam().modeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SocketFolderClaim,
    ::testing::Values(
        FolderCase{"a_missing_folder_of_ours_is_created_private", [](const QString &, const QString &) {}, true, true, 0700},
        FolderCase{"a_missing_session_folder_is_not_created", [](const QString &, const QString &) {}, false, false, 0},
        FolderCase{"a_private_folder_is_taken",
                   [](const QString &path, const QString &) { makeFolder(path, 0700); }, false, true, 0700},
        FolderCase{"our_folder_that_others_may_read_is_narrowed",
                   [](const QString &path, const QString &) { makeFolder(path, 0755); }, true, true, 0700},
        FolderCase{"a_session_folder_that_others_may_read_is_refused_and_left_alone",
                   [](const QString &path, const QString &) { makeFolder(path, 0755); }, false, false, 0755},
        FolderCase{"a_folder_anyone_may_write_to_is_refused_and_left_alone",
                   [](const QString &path, const QString &) { makeFolder(path, 0777); }, true, false, 0777},
        FolderCase{"a_folder_the_group_may_write_to_is_refused",
                   [](const QString &path, const QString &) { makeFolder(path, 0770); }, true, false, 0770},
        FolderCase{"a_symbolic_link_to_a_private_folder_is_refused",
                   [](const QString &path, const QString &scratch) {
                       makeFolder(scratch + QStringLiteral("/elsewhere"), 0700);
                       ASSERT_TRUE(QFile::link(scratch + QStringLiteral("/elsewhere"), path));
                   },
                   true, false, 0},
        FolderCase{"a_regular_file_is_refused",
                   [](const QString &path, const QString &) {
                       QFile file(path);
                       ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                   },
                   true, false, 0}), rowName);

TEST(SocketFolder, RefusesAFolderOfAnotherUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("orvane-run"));
    makeFolder(path, 0700);
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    const std::optional<QString> refusal = SocketFolder::refusal({path, true});
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->contains(QLatin1String("another user")));
}

TEST(SocketFolder, ChoosesTheFirstUsableCandidateAndSaysWhyOthersWerePassedOver)
{
    QTemporaryDir scratch;
    const QString open = scratch.filePath(QStringLiteral("open"));
    makeFolder(open, 0777);
    const QString fallback = scratch.filePath(QStringLiteral("fallback"));
    const SocketFolder::Choice choice = SocketFolder::choose({{open, true}, {fallback, true}});
    EXPECT_EQ(choice.folder, fallback);
    ASSERT_EQ(choice.refusals.size(), 1);
    EXPECT_TRUE(choice.refusals.constFirst().contains(open));

    const SocketFolder::Choice none = SocketFolder::choose({{open, true}});
    EXPECT_TRUE(none.folder.isEmpty());
    EXPECT_EQ(none.refusals.size(), 1);

    const QString tooDeep = scratch.filePath(QString(120, QLatin1Char('d')));
    EXPECT_TRUE(SocketFolder::refusal({tooDeep, true})) << "too deep for a socket's path";
    EXPECT_FALSE(QFileInfo::exists(tooDeep)) << "nothing is created for a folder that cannot be used";
}

} // namespace

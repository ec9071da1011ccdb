#include "search/ui/FindFunctionDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace {

// How often the count of folders searched is brought up to date while a search runs.
constexpr int kProgressMs = 100;
constexpr QSize kInitialSize(600, 400);
// The widest a fitted column of the results gets, so that the excerpt stays in sight.
constexpr int kMaxFittedColumnWidth = 200;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "1 function found", "3 functions found": each form a whole text of the catalogue.
QString Counted(long n, const QString& one, const QString& many) {
    return n == 1 ? one : many.arg(n);
}

}  // namespace

CFindFunctionDlg::CFindFunctionDlg(QWidget* parent, CSearchRunner::SearchFunction search)
    : QDialog(parent),
      m_runner(this, std::move(search)),
      m_found(this),
      m_query(new QLineEdit(this)),
      m_find(new QPushButton(tr("&Find"), this)),
      m_stop(new QPushButton(tr("&Stop"), this)),
      m_results(new QTreeView(this)),
      m_status(new QLabel(this)),
      m_progressTimer(new QTimer(this)) {
    setWindowTitle(tr("Find Function"));
    setObjectName(QStringLiteral("findFunction"));
    setModal(false);
    resize(kInitialSize);

    auto* label = new QLabel(tr("Find &what:"), this);
    label->setBuddy(m_query);
    m_query->setObjectName(QStringLiteral("query"));
    m_query->setPlaceholderText(tr("Words of a name, a description or a parameter"));
    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_query, 1);
    top->addWidget(m_find);

    // Enter in the query starts a search; Enter in the list opens a result. No button is
    // the dialog's default, so Enter never does both.
    for (QPushButton* button : {m_find, m_stop}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    m_find->setObjectName(QStringLiteral("find"));
    m_stop->setObjectName(QStringLiteral("stop"));

    const QString fieldTexts[kelvane::kSearchFieldCount] = {
        tr("&Name"), tr("&Description"), tr("Parameter &type"), tr("&Parameter description")};
    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(tr("Look in:"), this));
    for (int i = 0; i < kelvane::kSearchFieldCount; ++i) {
        auto* box = new QCheckBox(fieldTexts[i], this);
        box->setChecked(true);
        box->setObjectName(QString::fromLatin1(
            kelvane::FieldKeyword(static_cast<kelvane::SearchField>(i)).data()));
        fields->addWidget(box);
        m_fields.push_back(box);
    }
    fields->addStretch(1);

    m_results->setObjectName(QStringLiteral("results"));
    m_results->setAccessibleName(tr("Functions found"));
    m_results->setModel(&m_found);
    m_results->setRootIsDecorated(false);
    m_results->setItemsExpandable(false);
    m_results->setUniformRowHeights(true);
    m_results->setAllColumnsShowFocus(true);
    m_results->header()->setStretchLastSection(true);

    m_status->setObjectName(QStringLiteral("status"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_stop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addWidget(m_results, 1);
    layout->addLayout(bottom);

    connect(m_query, &QLineEdit::returnPressed, this, &CFindFunctionDlg::StartSearch);
    connect(m_find, &QPushButton::clicked, this, &CFindFunctionDlg::StartSearch);
    connect(m_stop, &QPushButton::clicked, this, &CFindFunctionDlg::StopSearch);
    connect(m_results, &QTreeView::activated, this, &CFindFunctionDlg::Activate);
    connect(&m_runner, &CSearchRunner::hitsFound, this, &CFindFunctionDlg::AddHits);
    connect(&m_runner, &CSearchRunner::finished, this, &CFindFunctionDlg::Finished);
    m_progressTimer->setInterval(kProgressMs);
    connect(m_progressTimer, &QTimer::timeout, this, &CFindFunctionDlg::ShowProgress);
    SetSearching(false);
}

void CFindFunctionDlg::StartSearch() {
    kelvane::SearchQuery query;
    query.words = kelvane::SplitWords(m_query->text().toStdString());
    query.fields = 0;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->isChecked())
            query.fields |= kelvane::FieldBit(static_cast<kelvane::SearchField>(i));
    m_runner.Stop();
    m_found.Clear();
    if (query.words.empty() || query.fields == 0) {
        SetSearching(false);
        m_status->setText(query.words.empty() ? tr("Type the words to look for.")
                                              : tr("Choose where to look."));
        return;
    }
    if (query.words.size() > kelvane::kMaxSearchWords) {
        SetSearching(false);
        m_status->setText(tr("At most %1 words.").arg(kelvane::kMaxSearchWords));
        return;
    }
    kelvane::SearchOptions options;
    options.threads = m_threads;
    options.libraryRoot = kelvane::GetLibraryRoot();
    m_found.SetLibraryRoot(options.libraryRoot);
    m_runner.Start(m_start, query, options);
    SetSearching(true);
    ShowProgress();
}

void CFindFunctionDlg::StopSearch() {
    if (!m_runner.IsRunning())
        return;
    m_runner.Stop();
    SetSearching(false);
    const int found = m_found.rowCount();
    m_status->setText(
        tr("Stopped: %1; %2.")
            .arg(Progress(), Counted(found, tr("1 function found"), tr("%1 functions found"))));
}

void CFindFunctionDlg::hideEvent(QHideEvent* e) {
    // Closed, not hidden by the window system with the main window.
    if (!e->spontaneous())
        StopSearch();
    QDialog::hideEvent(e);
}

void CFindFunctionDlg::AddHits(const std::vector<kelvane::SearchHit>& hits) {
    const bool first = m_found.rowCount() == 0;
    m_found.Append(hits);
    if (first)
        FitColumns();
}

void CFindFunctionDlg::FitColumns() {
    for (int c = CSearchResultsModel::kFunctionColumn; c < CSearchResultsModel::kExcerptColumn;
         ++c) {
        m_results->resizeColumnToContents(c);  // as far as the rows in sight need
        m_results->setColumnWidth(c, std::min(m_results->columnWidth(c), kMaxFittedColumnWidth));
    }
}

void CFindFunctionDlg::Activate(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const kelvane::SearchHit& hit = m_found.Hit(index.row());
    emit functionActivated(hit.folderName, hit.folderPath);
}

void CFindFunctionDlg::Finished(const kelvane::SearchSummary& summary) {
    SetSearching(false);
    FitColumns();
    QString text = tr("%1; %2.").arg(
        Counted(summary.hits, tr("1 function found"), tr("%1 functions found")), Progress());
    QStringList problems;
    for (const kelvane::SearchProblem& problem : summary.problems)
        problems << FromUtf8(kelvane::DisplayPath(problem.path) + ": " + problem.reason);
    if (summary.unreadableFiles > 0)
        text += QLatin1Char(' ') + Counted(summary.unreadableFiles,
                                           tr("1 function file could not be read."),
                                           tr("%1 function files could not be read."));
    if (summary.unreadableFolders > 0)
        text +=
            QLatin1Char(' ') + Counted(summary.unreadableFolders, tr("1 folder could not be read."),
                                       tr("%1 folders could not be read."));
    m_status->setText(text);
    m_status->setToolTip(problems.join(QLatin1Char('\n')));
}

QString CFindFunctionDlg::Progress() const {
    return tr("%1 of %2 folders searched").arg(m_runner.Searched()).arg(m_runner.Found());
}

void CFindFunctionDlg::ShowProgress() {
    if (m_runner.IsRunning())
        m_status->setText(Progress());
}

void CFindFunctionDlg::SetSearching(bool searching) {
    m_stop->setEnabled(searching);
    m_status->setToolTip(QString());
    if (searching)
        m_progressTimer->start();
    else
        m_progressTimer->stop();
}

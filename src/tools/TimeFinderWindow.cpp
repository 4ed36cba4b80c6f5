// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/TimeFinderWindow.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

#include "core/CityTable.h"
#include "core/CityTime.h"
#include "core/FirstStart.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsReader.h"
#include "platform/SettingsReads.h"
#include "tools/DialCodeFile.h"
#include "widgets/CityListModel.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TimeFinderWindow::TimeFinderWindow(QWidget* owner, const CityTable& cities, const FormatSettings& format)
    : ToolWindow(owner, QStringLiteral("TTimeFinder"), kFinderWindowPosition),
      format_(format),
      cities_(cities),
      dialCodeLines_(ReadDialCodeLines(DialCodesPath()).lines),
      model_(cities, dialCodeLines_) {
  setWindowTitle(QString());

  auto* header = new ToolDialogHeader(QStringLiteral("Quick Time Finder "), this);
  sLabel1 = Named(header->headingLabel(), "sLabel1");

  rgSearchType = Named(new QGroupBox(QStringLiteral(" Search by "), this), "rgSearchType");
  rbCity = new QRadioButton(QStringLiteral("City"), rgSearchType);
  rbCountry = new QRadioButton(QStringLiteral("Country"), rgSearchType);
  searchTypes_ = new QButtonGroup(this);
  searchTypes_->addButton(rbCity, static_cast<int>(SearchType::City));
  searchTypes_->addButton(rbCountry, static_cast<int>(SearchType::Country));
  auto* radios = new QHBoxLayout(rgSearchType);
  radios->setContentsMargins(12, 4, 12, 6);
  radios->addWidget(rbCity, 1);
  radios->addWidget(rbCountry, 1);

  Label1 = Named(new QLabel(QStringLiteral("Search for:"), this), "Label1");
  cbSearch = Named(new QComboBox(this), "cbSearch");
  cbSearch->setEditable(true);
  cbSearch->setInsertPolicy(QComboBox::NoInsert);
  // Thousands of cities: no pass over every entry to size the box, and a
  // list view that measures one row for all.
  cbSearch->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbSearch->setMinimumContentsLength(12);
  cbSearch->setMaxVisibleItems(16);
  if (auto* view = qobject_cast<QListView*>(cbSearch->view())) view->setUniformItemSizes(true);
  items_ = new QStringListModel(this);
  cbSearch->setModel(items_);
  // Suggestions in a list under the box rather than completed in the text,
  // so that what is typed is what is looked up; the list is narrowed by the
  // rule of every other city list of ours, best match first.
  suggestions_ = new CityListModel(this);
  completer_ = new QCompleter(suggestions_, this);
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(12);
  completer_->setWidget(cbSearch->lineEdit());
  if (auto* view = qobject_cast<QListView*>(completer_->popup())) view->setUniformItemSizes(true);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& name) { cbSearch->setEditText(name); });
  connect(cbSearch->lineEdit(), &QLineEdit::textEdited, this, &TimeFinderWindow::suggest);
  Label1->setBuddy(cbSearch);

  Label2 = Named(new QLabel(this), "Label2");
  QFont bold = Label2->font();
  bold.setBold(true);
  Label2->setFont(bold);
  Label2->setAlignment(Qt::AlignCenter);
  Label3 = Named(new QLabel(QStringLiteral("Current time:"), this), "Label3");
  lbTime = Named(new QLabel(this), "lbTime");
  Label4 = Named(new QLabel(QStringLiteral("Current date:"), this), "Label4");
  lbDate = Named(new QLabel(this), "lbDate");
  Label5 = Named(new QLabel(QStringLiteral("International dialing code:"), this), "Label5");
  lbCode = Named(new QLabel(this), "lbCode");
  for (QLabel* value : {Label2, lbTime, lbDate, lbCode})
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Each value beside its own caption: a long date then still fits beside
  // "Current date:" although the dial-code caption is wider.
  auto* results = new QVBoxLayout;
  results->setSpacing(6);
  results->addWidget(Label2);
  for (auto [caption, value] :
       {std::pair{Label3, lbTime}, std::pair{Label4, lbDate}, std::pair{Label5, lbCode}}) {
    caption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(caption);
    row->addWidget(value, 1);
    results->addLayout(row);
  }

  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(6);
  body->addWidget(rgSearchType);
  body->addWidget(Label1);
  body->addWidget(cbSearch);
  body->addSpacing(4);
  body->addLayout(results);
  body->addStretch(1);
  btnClose = addCloseRow(body, "btnClose");

  setTabOrder(rbCity, rbCountry);
  setTabOrder(rbCountry, cbSearch);
  setTabOrder(cbSearch, btnClose);

  tmrTime = Named(new QTimer(this), "tmrTime");
  tmrTime->setInterval(1000);
  connect(tmrTime, &QTimer::timeout, this, &TimeFinderWindow::tmrTimeTimer);

  connect(searchTypes_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) rgSearchTypeClick();
  });
  connect(cbSearch, &QComboBox::editTextChanged, this, &TimeFinderWindow::cbSearchChange);
  connect(cbSearch->lineEdit(), &QLineEdit::returnPressed, this, &TimeFinderWindow::cbSearchEnter);

  fixClientSize(QSize(302, 289));
}

void TimeFinderWindow::FormShow() {
  SettingsReader stored;
  const SearchType type = SearchTypeFromSetting(stored.integer(kSearchType));
  ShowSettingsProblems(stored, this);
  QAbstractButton* button = searchTypes_->button(static_cast<int>(type));
  if (button->isChecked())
    rgSearchTypeClick();
  else
    button->setChecked(true);  // fills the list through the toggle
  tmrTime->start();
}

void TimeFinderWindow::FormClose() {
  tmrTime->stop();
  WriteIntegerSetting(kSettingsKey, kSearchType,
                      searchTypes_->checkedId() < 0 ? 0 : searchTypes_->checkedId());
}

void TimeFinderWindow::rgSearchTypeClick() {
  const std::vector<std::string>& names =
      model_.setSearchType(static_cast<SearchType>(std::max(0, searchTypes_->checkedId())));
  QStringList list;
  list.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& n : names) list.push_back(Q(n));
  items_->setStringList(list);
  suggestions_->setNames(names);
  cbSearch->setCurrentIndex(-1);
  // The user's own city first, its time shown at once.
  const std::string own = OwnCityName(cities_.names(), ProgramFolder() + "citydata.zones.tsv", SystemZoneFacts());
  if (own.empty())
    cbSearch->clearEditText();
  else
    cbSearch->setEditText(Q(model_.searchType() == SearchType::Country ? NameSwap(own) : own));
  cbSearch->lineEdit()->selectAll();
  cbSearchChange();
  // After the radio button's own key handling, which keeps the focus on it.
  QTimer::singleShot(0, cbSearch, [this] { cbSearch->setFocus(Qt::OtherFocusReason); });
}

void TimeFinderWindow::cbSearchChange() {
  found_ = model_.lookup(cbSearch->currentText().toStdString(), LocalNow(), UtcOffsetDays());
  if (!found_) {
    for (QLabel* l : {Label2, lbTime, lbDate, lbCode}) l->clear();
    return;
  }
  Label2->setText(Q(found_->name));
  // A whole name is found: the suggestions would only hide the answer.
  QTimer::singleShot(0, this, [this] {
    if (found_ && completer_->popup()->isVisible()) completer_->popup()->hide();
  });
  showTime(found_->localTime);
  lbCode->setText(Q(found_->code));
}

void TimeFinderWindow::suggest(const QString& text) {
  suggestions_->setFilter(text.toStdString());
  if (text.trimmed().isEmpty() || suggestions_->rowCount() == 0) {
    completer_->popup()->hide();
    return;
  }
  completer_->complete();
  completer_->popup()->scrollToTop();
}

void TimeFinderWindow::cbSearchEnter() {
  // Enter takes the best match of the suggestions, when the text is not a
  // whole name yet.
  if (found_) return;
  suggestions_->setFilter(cbSearch->currentText().toStdString());
  if (!cbSearch->currentText().trimmed().isEmpty() && suggestions_->rowCount() > 0)
    cbSearch->setEditText(Q(suggestions_->nameAt(0)));
}

void TimeFinderWindow::tmrTimeTimer() {
  // The shown time follows the clock while the window is open.
  if (found_) showTime(CityLocalTime(*found_->city, LocalNow(), UtcOffsetDays()));
}

void TimeFinderWindow::showTime(DateTime localTime) {
  const QString time = Q(FormatDateTime("t", localTime, format_));
  const QString date = Q(FormatDateTime("dddddd", localTime, format_));
  if (lbTime->text() != time) lbTime->setText(time);
  if (lbDate->text() != date) lbDate->setText(date);
}

}  // namespace wc

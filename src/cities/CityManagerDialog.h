// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "City and Time Zone Manager": the one editor of the city database. It works
// on the document in memory and writes the whole file when it closes.

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "core/CityDocument.h"
#include "core/CityEditing.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace wc {

class ManagerTableModel;

class CityManagerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CityManagerDialog(QWidget* mainWindow);
  ~CityManagerDialog() override;  // FormDestroy

  // Close, Escape and the close box all end here: the document is saved.
  void done(int result) override;

 private:
  void buildUi();
  void FormCreate();
  void FillCityTable(bool filtered);
  void btnClearClick();
  void btnNewClick();
  void btnSaveClick();
  void btnDeleteClick();
  void btnCloseClick();
  void lvCitySelectItem();
  void cbDSTClick();
  void edCountryChange();

  CityInput input() const;
  // Shows the message of a refused input; true when there was one.
  bool refused(CityInputProblem problem);
  void warn(const QString& text, const QString& caption = QStringLiteral("Warning"));
  // The document position of the selected row, or -1.
  int selectedCity() const;
  void selectCity(int city);
  // Rereads the document after a change; the table's rows follow.
  void documentChanged();

  CityDocument xml;
  bool bchanged = false;
  QString msg1, msg2, msg3, msg4, msg5, msg6, msg7, msg8;

  // The document's cities in file order, read again after every change.
  std::vector<ManagedCity> cities_;
  ManagerTableModel* model_ = nullptr;

  QPushButton* btnClear = nullptr;
  QPushButton* btnNew = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnDelete = nullptr;
  QPushButton* btnClose = nullptr;
  QLineEdit* edCityName = nullptr;
  QLineEdit* edUTC = nullptr;
  QLineEdit* edLong = nullptr;
  QLineEdit* edLat = nullptr;
  QCheckBox* cbDST = nullptr;
  // cbWeek, cbDay, cbmonth, cbWeek1, cbDay1, cbmonth1
  std::array<QComboBox*, 6> ruleLists_{};
  QLineEdit* edCountry = nullptr;
  QTableView* lvCity = nullptr;
};

}  // namespace wc

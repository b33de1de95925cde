// The analysis options of the set-up window (TForm2): its choices, the codes its radio groups
// carry, and the value line of the general data file built from them.
#pragma once

#include <QString>
#include <QStringList>

#include "manager/core/error.h"
#include "manager/core/number_format.h"

namespace veldra::core {

// The items of RadioGroup2 "Tipo de Análise", RadioGroup3 "Grau de Aproximação" and
// RadioGroup4 "Acoplamento", in their order.
const QStringList& analysis_items();
const QStringList& degree_items();
const QStringList& coupling_items();

// The set-up window's choices as its controls hold them; the defaults are the window's.
struct ProcessorOptions {
  int analysis = 0;                                          // RadioGroup2 item index
  int degree = 1;                                            // RadioGroup3 item index
  int coupling = 0;                                          // RadioGroup4 item index
  QString increments = QStringLiteral("20");                 // Edit1
  QString iterations = QStringLiteral("200");                // Edit2
  QString force_tolerance = QStringLiteral("1.e-5");         // Edit3
  QString displacement_tolerance = QStringLiteral("1.e-5");  // Edit4

  bool boundary_element_coupling() const { return coupling != 0; }
};

// The codes of the radio groups.
struct AnalysisCodes {
  int naprox = 3;   // 2 "Quadrática", 3 "Cúbica"
  int analise = 0;  // 0, 1, 0, 1
  int viscosa = 0;  // 0, 0, 1, 1
  int ma = 27;      // 27 "MEF", 28 a boundary element coupling
  int tmec = 0;     // the "Acoplamento" index
};

// The values of the general data file's value line.
struct GeneralData {
  AnalysisCodes codes;
  int nincrem = 0;
  double tolf = 0.0;
  double told = 0.0;
  int maxiter = 0;
};

// Fails on an item index out of range, on Edit1 or Edit2 not an integer, on Edit3 or Edit4 not
// a real (read with the format's separator, then with a point); the error names the field.
Result<GeneralData> read_general_data(const ProcessorOptions& options, const NumberFormat& format);

// The fifteen right-aligned fields, 116 characters with the default values.
QString value_line(const GeneralData& data, const NumberFormat& format);

// The seven lines of the general data file.
QStringList general_data_file_lines(const GeneralData& data, const NumberFormat& format);

}  // namespace veldra::core

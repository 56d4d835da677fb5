#pragma once
// A page of the header viewer: groups of labelled, read-only header values.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

#include "signal/CNSignal.h"

class QLineEdit;

namespace kxres {

class CUdsFieldPage : public QWidget {
    Q_OBJECT
public:
    using Group = std::pair<QString, QStringList>; // title, labels in order

    CUdsFieldPage(const QString &caption, const std::vector<Group> &groups, QWidget *parent);
    ~CUdsFieldPage() override;

    // Shows the signal's values; a null signal empties every field.
    void Fill(const kx::CNSignal *signal);

    QString FieldText(const QString &label) const;
    QStringList Labels() const { return m_labels; }

    // Value formats of the viewer: signed decimal, "%f", texts as they stand.
    static QString Int(int value);
    static QString Real(double value);
    static QString Text(const std::string &text);

    void SetField(const QString &label, const QString &value);
    void ClearFields();

protected:
    virtual void FillFrom(const kx::CNSignal &signal) = 0;

private:
    QMap<QString, QLineEdit *> m_fields;
    QStringList m_labels;
};

} // namespace kxres

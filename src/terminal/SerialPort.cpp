#include "terminal/SerialPort.h"

#include "app/Convert.h"

#include <QFileInfo>

#include <limits>
#include <optional>

#ifdef Q_OS_WIN
#ifndef NOMINMAX // Qt's headers may have set it already
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

SerialPort::DeviceTable &CustomTable()
{
    static SerialPort::DeviceTable table;
    return table;
}

std::optional<QSerialPort::Parity> ParityOf(QStringView letter)
{
    if (letter.size() != 1)
        return std::nullopt;
    switch (letter[0].toLower().unicode()) {
    case u'n': return QSerialPort::NoParity;
    case u'e': return QSerialPort::EvenParity;
    case u'o': return QSerialPort::OddParity;
    case u'm': return QSerialPort::MarkParity;
    case u's': return QSerialPort::SpaceParity;
    default: return std::nullopt;
    }
}

std::optional<QSerialPort::StopBits> StopBitsOf(QStringView text)
{
    if (text == u"1")
        return QSerialPort::OneStop;
    if (text == u"1.5")
        return QSerialPort::OneAndHalfStop;
    if (text == u"2")
        return QSerialPort::TwoStop;
    return std::nullopt;
}

} // namespace

QString SerialPort::StandardDevice(int number)
{
#ifdef Q_OS_WIN
    if (number >= 1 && number <= 255)
        return QStringLiteral("COM%1").arg(number);
#else
    static constexpr const char *Families[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    constexpr int PerFamily = 32;
    if (number >= 1 && number <= PerFamily * int(std::size(Families)))
        return QLatin1String(Families[(number - 1) / PerFamily]) + QString::number((number - 1) % PerFamily);
#endif
    return QString();
}

QString SerialPort::DeviceName(int number)
{
    return CustomTable() ? CustomTable()(number) : StandardDevice(number);
}

void SerialPort::SetDeviceTable(DeviceTable table)
{
    CustomTable() = std::move(table);
}

bool SerialPort::DeviceExists(int number)
{
    const QString device = DeviceName(number);
    if (device.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return true; // COM ports have no file to look at; opening tells
#else
    return QFileInfo::exists(device);
#endif
}

SerialPort::SerialPort(QObject *parent) : QObject(parent)
{
    connect(&port, &QSerialPort::bytesWritten, this, &SerialPort::BytesWritten);
    connect(&port, &QSerialPort::readyRead, this, &SerialPort::DataArrived);
    connect(&port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A vanished device keeps reporting; one report is enough.
        if (error != QSerialPort::NoError && port.isOpen() && !failed) {
            failed = true;
            emit Failed();
        }
    });
    port.setFlowControl(QSerialPort::NoFlowControl);
}

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::SetPortNumber(int number)
{
    const QString device = DeviceName(number);
    if (port.isOpen() || device.isEmpty())
        return false;
    portNumber = number;
    port.setPortName(device);
    return true;
}

bool SerialPort::SetSettings(QStringView settings)
{
    const QList<QStringView> parts = settings.split(u',');
    if (port.isOpen() || parts.size() != 4)
        return false;
    const std::optional<int> baud = Convert::ToInteger(parts[0], 1, std::numeric_limits<qint32>::max());
    const std::optional<QSerialPort::Parity> parity = ParityOf(parts[1]);
    const std::optional<int> dataBits = Convert::ToInteger(parts[2], 5, 8);
    const std::optional<QSerialPort::StopBits> stopBits = StopBitsOf(parts[3]);
    if (!baud || !parity || !dataBits || !stopBits)
        return false;
    return port.setBaudRate(*baud) && port.setParity(*parity)
        && port.setDataBits(static_cast<QSerialPort::DataBits>(*dataBits)) && port.setStopBits(*stopBits);
}

bool SerialPort::SetOutBufferSize(qint64 bytes)
{
    if (port.isOpen() || bytes < 1)
        return false;
    outBufferSize = bytes;
    return true;
}

bool SerialPort::Open()
{
    if (port.isOpen() || portNumber == 0)
        return false;
    failed = false;
    return port.open(QIODevice::ReadWrite);
}

void SerialPort::Close()
{
    if (port.isOpen())
        port.close();
}

bool SerialPort::IsOpen() const
{
    return port.isOpen();
}

bool SerialPort::Write(QByteArrayView bytes)
{
    if (!port.isOpen() || failed || port.bytesToWrite() + bytes.size() > outBufferSize)
        return false;
    return port.write(bytes.data(), bytes.size()) == bytes.size();
}

qint64 SerialPort::OutBufferCount() const
{
    if (!port.isOpen() || failed)
        return -1;
    qint64 driverQueue = 0;
#ifdef Q_OS_WIN
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port.handle(), &errors, &status))
        return -1;
    driverQueue = status.cbOutQue;
#else
    int queued = 0;
    if (::ioctl(port.handle(), TIOCOUTQ, &queued) == -1)
        return -1;
    driverQueue = queued;
#endif
    return port.bytesToWrite() + driverQueue;
}

QByteArray SerialPort::ReadAvailable()
{
    return port.isOpen() ? port.readAll() : QByteArray();
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringView>

#include <functional>

// The serial line as the program needs it: a port chosen by its COM number,
// line settings given as text ("9600,n,8,1"), and output counted down to the
// operating system driver, so that a caller can send one byte at a time and
// know when it has really left. No handshaking of any kind.
class SerialPort : public QObject {
    Q_OBJECT

public:
    // The device behind a COM number, "" when the number names none.
    using DeviceTable = std::function<QString(int number)>;

    // Windows: COM n is the system's COMn. Linux: COM 1-32 are /dev/ttyS0-31,
    // 33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31; higher numbers name none.
    static QString StandardDevice(int number);
    // The table in use; the standard one unless another has been set (tests
    // let pseudo-terminals play COM ports). An empty function restores it.
    static QString DeviceName(int number);
    static void SetDeviceTable(DeviceTable table);
    // Whether the device of a number is there at all, without opening it.
    static bool DeviceExists(int number);

    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // Each setter fails (false) for a value the port cannot take, and while
    // the port is open.
    bool SetPortNumber(int number);
    bool SetSettings(QStringView settings);
    bool SetOutBufferSize(qint64 bytes);

    bool Open();
    void Close();
    bool IsOpen() const;

    // Queues bytes for output; false when the port is closed or the output
    // buffer cannot take them.
    bool Write(QByteArrayView bytes);
    // Bytes written but not yet sent: the program's buffer plus what the
    // driver still holds. -1 when the port is closed or cannot tell.
    qint64 OutBufferCount() const;
    // What has arrived and not been read yet, oldest first; never waits.
    QByteArray ReadAvailable();

    qint32 BaudRate() const { return port.baudRate(); }

signals:
    // Written bytes have gone to the driver (they may still be in its queue).
    void BytesWritten();
    void DataArrived();
    // The port failed while open (device gone, input/output error); it stays
    // open until the owner closes it.
    void Failed();

private:
    QSerialPort port;
    int portNumber = 0;
    qint64 outBufferSize = 8192;
    bool failed = false;
};

#include "app/FtpClient.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <curl/curl.h>

#include <algorithm>
#include <mutex>
#include <optional>

namespace tess {

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool hasControl(const std::string &text)
{
    return std::ranges::any_of(
        text, [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; });
}

struct Server
{
    std::string scheme = "ftp";
    std::string hostPort;
};

Server parseServer(const std::string &server)
{
    Server result;
    std::string rest = server;
    if (const size_t at = rest.find("://"); at != std::string::npos) {
        result.scheme = rest.substr(0, at);
        std::ranges::transform(result.scheme, result.scheme.begin(),
                               [](unsigned char ch) { return std::tolower(ch); });
        rest = rest.substr(at + 3);
    }
    result.hostPort = rest.substr(0, rest.find('/'));
    return result;
}

// The DER bytes of a PEM certificate.
QByteArray pemBody(const std::string &pem)
{
    const std::string begin = "-----BEGIN CERTIFICATE-----";
    const size_t from = pem.find(begin);
    const size_t to = pem.find("-----END CERTIFICATE-----");
    if (from == std::string::npos || to == std::string::npos || to < from)
        return {};
    const std::string body = pem.substr(from + begin.size(), to - from - begin.size());
    return QByteArray::fromBase64(QByteArray::fromStdString(body));
}

// One DER element at `at`: its whole span and where its contents start.
struct DerItem
{
    qsizetype start = 0, contents = 0, end = 0;
    unsigned char tag = 0;
};

std::optional<DerItem> derItem(const QByteArray &der, qsizetype at)
{
    if (at + 2 > der.size())
        return std::nullopt;
    DerItem item;
    item.start = at;
    item.tag = static_cast<unsigned char>(der[at]);
    qsizetype length = static_cast<unsigned char>(der[at + 1]);
    qsizetype pos = at + 2;
    if (length & 0x80) {
        const int bytes = length & 0x7f;
        if (bytes == 0 || bytes > 4 || pos + bytes > der.size())
            return std::nullopt;
        length = 0;
        for (int i = 0; i < bytes; ++i)
            length = (length << 8) | static_cast<unsigned char>(der[pos++]);
    }
    if (pos + length > der.size())
        return std::nullopt;
    item.contents = pos;
    item.end = pos + length;
    return item;
}

// The subjectPublicKeyInfo of a certificate: the seventh element of the
// to-be-signed part when it has the optional version, else the sixth.
QByteArray publicKeyInfo(const QByteArray &der)
{
    const auto cert = derItem(der, 0);
    const auto tbs = cert ? derItem(der, cert->contents) : std::nullopt;
    if (!tbs)
        return {};
    auto item = derItem(der, tbs->contents);
    if (item && item->tag == 0xa0)
        item = derItem(der, item->end);
    for (int i = 0; item && i < 5; ++i) // serial, signature, issuer, validity, subject
        item = derItem(der, item->end);
    if (!item || item->tag != 0x30)
        return {};
    return der.mid(item->start, item->end - item->start);
}

} // namespace

FtpError::FtpError(int curlCode, long responseCode, std::string response, std::string detail)
    : std::runtime_error(detail)
    , curlCode(curlCode)
    , responseCode(responseCode)
    , response(std::move(response))
    , detail(std::move(detail))
{ }

bool FtpError::aborted() const
{
    return curlCode == CURLE_ABORTED_BY_CALLBACK;
}

struct FtpClient::Impl
{
    Server server;
    std::string user;
    std::string password;
    FtpOptions options;
    const std::atomic<bool> *cancel = nullptr;
    CURL *curl = nullptr;
    bool connected = false;
    bool mlsd = true;
    std::string entryPath;
    std::string lastLine;
    char errorText[CURL_ERROR_SIZE] = {};
    // What the operation under way does with progress and received data.
    const FtpProgress *progress = nullptr;
    const FtpSink *sink = nullptr;
    std::string received;
    std::FILE *source = nullptr;

    bool ftp() const { return server.scheme != "sftp"; }
    bool tls() const { return server.scheme == "ftps"; }

    std::string base() const
    {
        // ftps here is explicit TLS on the FTP port, which libcurl asks for
        // with ftp:// and USE_SSL.
        std::string login;
        if (options.netrc) {
            // libcurl looks the password up in ~/.netrc for a user named in
            // the URL, not for one set on its own.
            char *escaped = curl_easy_escape(nullptr, user.data(), int(user.size()));
            login = std::string(escaped ? escaped : "") + "@";
            curl_free(escaped);
        }
        return (tls() ? std::string("ftp") : server.scheme) + "://" + login + server.hostPort;
    }

    std::string absolute(const std::string &path) const
    {
        if (path.starts_with('/') || entryPath.empty())
            return path;
        return entryPath + (entryPath.ends_with('/') ? "" : "/") + path;
    }

    std::string url(const std::string &path, bool folder) const
    {
        if (hasControl(path))
            throw FtpError(CURLE_URL_MALFORMAT, 0, {}, "A path holds a control character.");
        std::string result = base() + "/";
        if (path.starts_with('/'))
            result += ftp() ? "%2F" : "";
        else if (!ftp())
            result += "~/";
        size_t from = 0;
        while (from <= path.size()) {
            size_t end = path.find('/', from);
            if (end == std::string::npos)
                end = path.size();
            if (end > from) {
                char *escaped = curl_easy_escape(curl, path.data() + from, int(end - from));
                result += escaped;
                curl_free(escaped);
                if (end < path.size() || folder)
                    result += '/';
            }
            from = end + 1;
        }
        if (folder && !result.ends_with('/'))
            result += '/';
        return result;
    }

    static int onDebug(CURL *, curl_infotype type, char *data, size_t size, void *self)
    {
        // Only the server's answers are kept: what goes out holds the password.
        if (type != CURLINFO_HEADER_IN)
            return 0;
        const std::string line = OneLine(std::string_view(data, size));
        if (!line.empty())
            static_cast<Impl *>(self)->lastLine = line;
        return 0;
    }

    static int onProgress(void *self, curl_off_t downTotal, curl_off_t downNow, curl_off_t upTotal,
                          curl_off_t upNow)
    {
        auto *d = static_cast<Impl *>(self);
        if (d->cancel && d->cancel->load())
            return 1;
        if (d->progress && *d->progress) {
            if (d->source)
                (*d->progress)(std::uint64_t(upNow), std::uint64_t(upTotal));
            else
                (*d->progress)(std::uint64_t(downNow), std::uint64_t(downTotal));
        }
        return 0;
    }

    static size_t onWrite(char *data, size_t size, size_t count, void *self)
    {
        auto *d = static_cast<Impl *>(self);
        const size_t bytes = size * count;
        if (d->sink)
            return (*d->sink)(data, bytes) ? bytes : 0;
        d->received.append(data, bytes);
        return bytes;
    }

    static size_t onRead(char *buffer, size_t size, size_t count, void *self)
    {
        auto *d = static_cast<Impl *>(self);
        const size_t n = std::fread(buffer, 1, size * count, d->source);
        if (n == 0 && std::ferror(d->source))
            return CURL_READFUNC_ABORT;
        return n;
    }

    void open()
    {
        if (curl)
            return;
        initCurlOnce();
        curl = curl_easy_init();
        if (!curl)
            throw FtpError(CURLE_FAILED_INIT, 0, {}, "libcurl could not start.");
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Impl::onDebug);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, this);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::onProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Impl::onWrite);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Impl::onRead);
        curl_easy_setopt(curl, CURLOPT_READDATA, this);
        if (options.netrc) {
            curl_easy_setopt(curl, CURLOPT_NETRC, long(CURL_NETRC_OPTIONAL));
        } else {
            curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
            curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
        }
        curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
        if (options.active)
            curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
        if (options.connectTimeoutMs > 0)
            curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
        const long idle = std::max(1L, options.idleTimeoutSeconds);
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, idle);
        curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, idle * 1000);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, idle);
        curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 128L * 1024);
        curl_easy_setopt(curl, CURLOPT_UPLOAD_BUFFERSIZE, 128L * 1024);
        if (tls()) {
            curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
            if (!options.acceptedFingerprint.empty()) {
                // The user took this certificate although no authority vouches
                // for it: from here on only its key is trusted.
                const std::string pin = acceptedPin();
                curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
                curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
                curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, pin.c_str());
            }
        }
    }

    // The server's certificate as PEM, fetched without verifying it and
    // without sending the user's password; empty when none came.
    std::string probeCertificate(std::string *subject) const
    {
        CURL *probe = curl_easy_init();
        if (!probe)
            return {};
        curl_easy_setopt(probe, CURLOPT_URL, (base() + "/").c_str());
        curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(probe, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        curl_easy_setopt(probe, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(probe, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(probe, CURLOPT_CERTINFO, 1L);
        curl_easy_setopt(probe, CURLOPT_CONNECT_ONLY, 1L);
        curl_easy_setopt(probe, CURLOPT_USERNAME, "anonymous");
        curl_easy_setopt(probe, CURLOPT_PASSWORD, "");
        if (options.connectTimeoutMs > 0)
            curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
        curl_easy_setopt(probe, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                         std::max(1L, options.idleTimeoutSeconds));
        curl_easy_perform(probe);
        std::string pem;
        curl_certinfo *info = nullptr;
        if (curl_easy_getinfo(probe, CURLINFO_CERTINFO, &info) == CURLE_OK && info
            && info->num_of_certs > 0) {
            for (curl_slist *field = info->certinfo[0]; field; field = field->next) {
                const std::string_view text = field->data;
                if (text.starts_with("Cert:"))
                    pem = text.substr(5);
                else if (text.starts_with("Subject:") && subject)
                    *subject = OneLine(text.substr(8));
            }
        }
        curl_easy_cleanup(probe);
        return pem;
    }

    std::string acceptedPin() const
    {
        const std::string pem = probeCertificate(nullptr);
        if (pem.empty() || pemFingerprint(pem) != options.acceptedFingerprint) {
            FtpError error(CURLE_PEER_FAILED_VERIFICATION, 0, {},
                           "The server's certificate is not the one accepted.");
            error.fingerprint = pemFingerprint(pem);
            throw error;
        }
        return pemPublicKeyPin(pem);
    }

    // Runs one request on the session's connection, after `setUp` has set
    // what is particular to it; everything particular is reset afterwards.
    void perform(const std::string &target, const std::function<void()> &setUp)
    {
        open();
        lastLine.clear();
        errorText[0] = 0;
        received.clear();
        curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
        if (setUp)
            setUp();
        const CURLcode rc = curl_easy_perform(curl);
        curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, static_cast<char *>(nullptr));
        curl_easy_setopt(curl, CURLOPT_QUOTE, static_cast<curl_slist *>(nullptr));
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(-1));
        progress = nullptr;
        sink = nullptr;
        source = nullptr;
        if (rc == CURLE_OK)
            return;
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        // Only a refusal's own words are the server's answer; a line like
        // "150 Opening data connection" says nothing about what went wrong.
        FtpError error(rc, code, code >= 400 ? lastLine : std::string(),
                       OneLine(errorText[0] ? errorText : curl_easy_strerror(rc)));
        if (rc == CURLE_PEER_FAILED_VERIFICATION && tls())
            error.fingerprint = pemFingerprint(probeCertificate(&error.subject));
        throw error;
    }

    void connect()
    {
        if (connected)
            return;
        perform(base() + "/", [this] { curl_easy_setopt(curl, CURLOPT_NOBODY, 1L); });
        const char *path = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_FTP_ENTRY_PATH, &path) == CURLE_OK && path)
            entryPath = path;
        connected = true;
    }
};

FtpClient::FtpClient(const std::string &server, const std::string &user,
                     const std::string &password, FtpOptions options,
                     const std::atomic<bool> *cancel)
    : d(std::make_unique<Impl>())
{
    d->server = parseServer(server);
    d->user = user;
    d->password = password;
    d->options = std::move(options);
    d->cancel = cancel;
}

FtpClient::~FtpClient()
{
    close();
}

void FtpClient::connect()
{
    d->connect();
}

std::string FtpClient::currentFolder()
{
    d->connect();
    return d->entryPath.empty() ? std::string("/") : d->entryPath;
}

std::vector<RemoteEntry> FtpClient::list(const std::string &folder)
{
    d->connect();
    const std::string target = d->url(d->absolute(folder), true);
    std::vector<RemoteEntry> entries;
    if (d->ftp() && d->mlsd) {
        try {
            d->perform(target,
                       [this] { curl_easy_setopt(d->curl, CURLOPT_CUSTOMREQUEST, "MLSD"); });
            entries = ParseMlsd(d->received);
        } catch (const FtpError &e) {
            // A server without MLSD says so with a syntax error reply.
            if (e.responseCode < 500 || e.responseCode > 504)
                throw;
            d->mlsd = false;
        }
    }
    if (!d->ftp() || !d->mlsd) {
        d->perform(target, {});
        entries = ParseList(d->received);
    }
    std::erase_if(entries, [](const RemoteEntry &e) { return e.name == "." || e.name == ".."; });
    return entries;
}

bool FtpClient::folderExists(const std::string &folder)
{
    d->connect();
    try {
        d->perform(d->url(d->absolute(folder), true),
                   [this] { curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L); });
    } catch (const FtpError &e) {
        if (e.curlCode == CURLE_REMOTE_ACCESS_DENIED || e.curlCode == CURLE_REMOTE_FILE_NOT_FOUND)
            return false;
        throw;
    }
    return true;
}

void FtpClient::makeFolder(const std::string &folder)
{
    d->connect();
    const std::string path = d->absolute(folder);
    if (hasControl(path))
        throw FtpError(CURLE_URL_MALFORMAT, 0, {}, "A path holds a control character.");
    // "*" lets the command fail without failing the request.
    const std::string command = (d->ftp() ? "*MKD " : "*mkdir ") + path;
    curl_slist *quote = curl_slist_append(nullptr, command.c_str());
    try {
        d->perform(d->url(d->entryPath, true), [&] {
            curl_easy_setopt(d->curl, CURLOPT_QUOTE, quote);
            curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
        });
    } catch (...) {
        curl_slist_free_all(quote);
        throw;
    }
    curl_slist_free_all(quote);
}

void FtpClient::upload(std::FILE *file, std::uint64_t size, const std::string &remotePath,
                       const FtpProgress &progress)
{
    d->connect();
    d->perform(d->url(d->absolute(remotePath), false), [&] {
        d->source = file;
        d->progress = &progress;
        curl_easy_setopt(d->curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(d->curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
    });
}

void FtpClient::download(const std::string &remotePath, const FtpSink &sink,
                         const FtpProgress &progress)
{
    d->connect();
    d->perform(d->url(d->absolute(remotePath), false), [&] {
        d->sink = &sink;
        d->progress = &progress;
    });
}

void FtpClient::close()
{
    if (d->curl)
        curl_easy_cleanup(d->curl);
    d->curl = nullptr;
    d->connected = false;
}

bool FtpClient::supports(const std::string &scheme)
{
    initCurlOnce();
    const curl_version_info_data *info = curl_version_info(CURLVERSION_NOW);
    for (const char *const *p = info ? info->protocols : nullptr; p && *p; ++p) {
        if (scheme == *p)
            return true;
    }
    return false;
}

std::string FtpClient::pemFingerprint(const std::string &pem)
{
    const QByteArray der = pemBody(pem);
    if (der.isEmpty())
        return {};
    return QCryptographicHash::hash(der, QCryptographicHash::Sha256)
        .toHex(':')
        .toUpper()
        .toStdString();
}

std::string FtpClient::pemPublicKeyPin(const std::string &pem)
{
    const QByteArray key = publicKeyInfo(pemBody(pem));
    if (key.isEmpty())
        return {};
    return "sha256//"
        + QCryptographicHash::hash(key, QCryptographicHash::Sha256).toBase64().toStdString();
}

} // namespace tess

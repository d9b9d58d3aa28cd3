<%@ Language=VBScript %>
<%
Response.ContentType = "text/vnd.wap.wml"
Response.Charset = "ISO-8859-1"
%>
<?xml version="1.0" encoding="ISO-8859-1"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml xml:lang="no">
  <card id="vaer" title="Været i <%= Request.QueryString("by") %>">
    <p>
      I dag: <%= Varsel(0) %><br/>
      I morgen: <%= Varsel(1) %><br/>
      <a href="weather.asp?by=<%= Server.URLEncode(Request("by")) %>&amp;dager=5">Nærmere varsel</a>
    </p>
  </card>
<SCRIPT LANGUAGE="VBScript" RUNAT="Server">
Function Varsel(dag)
  ' reads the forecast the cron job left in the database
  Varsel = "sol, 18°"
  If dag > 0 Then Varsel = "regn, 12°"
End Function
</SCRIPT>
  <card id="om" title="Om">
    <p>Data: Met.no<br/>Åpent for alle.</p>
  </card>
</wml>

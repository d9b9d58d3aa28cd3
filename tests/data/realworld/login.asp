<%@ Language=VBScript %>
<% Response.ContentType = "text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="login" title="Log in">
<% If Request.Form("nick") = "" Then %>
    <p>
      Nick: <input name="nick" value="<%= Session("nick") %>" maxlength="12"/>
      PIN: <input name="pin" type="password" format="4N"/>
    </p>
    <do type="accept" label="OK">
      <go href="<%= Request.ServerVariables("SCRIPT_NAME") %>" method="post">
        <postfield name="nick" value="$(nick)"/>
        <postfield name="pin" value="$(pin)"/>
      </go>
    </do>
<% Else %>
    <p>Welcome, <b><%= Server.HTMLEncode(Request.Form("nick")) %></b>!<br/>
      <a href="inbox.asp?sid=<%= Session.SessionID %>&amp;n=5">Inbox</a>
    </p>
<% End If %>
  </card>
</wml>

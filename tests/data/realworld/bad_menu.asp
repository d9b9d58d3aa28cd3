<%@ Language=VBScript %>
<% Response.ContentType = "text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="menu" title="Pizza">
    <p>
<% Dim rs : Set rs = Conn.Execute("SELECT name, price FROM pizza") %>
<% Do While Not rs.EOF %>
      <%= rs("name") %> - <%= rs("price") %> EUR<br>
<% rs.MoveNext : Loop %>
    </p>
  </card>
</wml>
